// A stand-in for the maker's USB library with one printer at index 0, whose
// identity word is 0x0109 until a set-identity command changes it. Built once
// per calling convention (KV_CALL) for usb_library.test.sh.
#include <cstring>

namespace {
unsigned short identity = 0x0109;
int writes = 0;
} // namespace

extern "C" {

__declspec(dllexport) int KV_CALL OpenDeviceX(int index) {
    return index == 0 ? 0x4711 : -1;
}

__declspec(dllexport) int KV_CALL GetDescriptor(int device, unsigned char* buffer) {
    if (device != 0x4711)
        return 0;
    const unsigned char descriptor[18] = {18,
                                          1,
                                          0,
                                          2,
                                          0,
                                          0,
                                          0,
                                          64,
                                          0x7A,
                                          0x2E,
                                          0x7A,
                                          0x2E,
                                          static_cast<unsigned char>(identity & 0xFF),
                                          static_cast<unsigned char>(identity >> 8),
                                          1,
                                          2,
                                          3,
                                          1};
    std::memcpy(buffer, descriptor, sizeof descriptor);
    return 1;
}

__declspec(dllexport) int KV_CALL
    uWrite(int device, int reserved, unsigned char* bytes, int count) {
    if (device != 0x4711 || reserved != 0 || count <= 0)
        return 0;
    ++writes;
    if (count == 10 && bytes[0] == 0x1B && bytes[1] == 0x73 && bytes[9] <= 7)
        identity = static_cast<unsigned short>((identity & ~7u) | bytes[9]);
    return count;
}

__declspec(dllexport) void KV_CALL CloseDevice(int) {}

__declspec(dllexport) int KV_CALL Writes() {
    return writes;
}
}
