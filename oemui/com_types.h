// COM as the plug-in sees it, declared without <windows.h> so that the interface
// object and the class factory are plain C++ that the native tests call through
// the same vtables the host uses.
//
// A class with only pure virtual functions and no virtual destructor has the
// vtable layout of a COM interface with every compiler we use: one pointer at
// offset 0, slots in declaration order. On x64 there is one calling convention;
// on 32-bit Windows the slots would be __stdcall, which OEMUI_STDCALL spells.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(_WIN32) && !defined(_WIN64)
#define OEMUI_STDCALL __stdcall
#else
#define OEMUI_STDCALL
#endif

namespace oemui {

// GUID: the same 16 bytes in the same order as the system's structure.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16, "GUID is 16 bytes");

inline bool operator==(const Guid& a, const Guid& b) {
    return std::memcmp(&a, &b, sizeof(Guid)) == 0;
}
inline bool operator!=(const Guid& a, const Guid& b) {
    return !(a == b);
}

// HRESULT, with the values the plug-in returns. (The system's names are macros in
// <winerror.h>, hence these spellings.)
using HResult = std::int32_t;
namespace hr {
inline constexpr HResult ok = 0;
inline constexpr HResult falseResult = 1;
inline constexpr HResult notImplemented = static_cast<HResult>(0x80004001u);
inline constexpr HResult noInterface = static_cast<HResult>(0x80004002u);
inline constexpr HResult pointer = static_cast<HResult>(0x80004003u);
inline constexpr HResult fail = static_cast<HResult>(0x80004005u);
inline constexpr HResult outOfMemory = static_cast<HResult>(0x8007000Eu);
inline constexpr HResult noAggregation = static_cast<HResult>(0x80040110u);
inline constexpr HResult classNotAvailable = static_cast<HResult>(0x80040111u);
} // namespace hr

// The interface and class ids the plug-in answers to.
inline constexpr Guid iidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid iidClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// The universal driver's UI host asks every OEM UI plug-in for this class.
inline constexpr Guid clsidOemUi = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
inline constexpr Guid iidPrintOemUi = {
    0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
inline constexpr Guid iidPrintOemDriverUi = {
    0x92B05D50, 0x78BC, 0x11D1, {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};

// IUnknown. The destructor is protected and not virtual: objects die through
// Release, and a virtual destructor would add slots to the vtable.
class ComUnknown {
public:
    virtual HResult OEMUI_STDCALL QueryInterface(const Guid& iid, void** object) = 0;
    virtual std::uint32_t OEMUI_STDCALL AddRef() = 0;
    virtual std::uint32_t OEMUI_STDCALL Release() = 0;

protected:
    ComUnknown() = default;
    ComUnknown(const ComUnknown&) = default;
    ComUnknown& operator=(const ComUnknown&) = default;
    ~ComUnknown() = default;
};

// IClassFactory.
class ComClassFactory : public ComUnknown {
public:
    virtual HResult OEMUI_STDCALL CreateInstance(ComUnknown* outer, const Guid& iid,
                                                 void** object) = 0;
    virtual HResult OEMUI_STDCALL LockServer(std::int32_t lock) = 0;

protected:
    ~ComClassFactory() = default;
};

} // namespace oemui
