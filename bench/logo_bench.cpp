// Speed and memory of the logo conversions on a 1024 x 768 picture: whole calls from
// file to file as the plug-in makes them, and the conversions alone on a picture
// already in memory.
//
//   bench_logo [--picture24=FILE] [--picture8=FILE] [benchmark options]
//
// Without pictures a synthetic one is made in the temporary folder.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/stdio_files.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/make_work_bitmap.h"
#include "oemui/tools/work_bitmap.h"

// Heap accounting: every allocation carries its size, so that the peak of one call
// can be read afterwards.
namespace {
std::atomic<std::size_t> heapNow{0};
std::atomic<std::size_t> heapPeak{0};
constexpr std::size_t kHeader = 16;

void* counted(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, &size, sizeof size);
    const std::size_t now = heapNow += size;
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block + kHeader;
}

void uncounted(void* p) {
    if (p == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    heapNow -= size;
    std::free(block);
}
} // namespace

void* operator new(std::size_t size) {
    if (void* p = counted(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return counted(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return counted(size);
}
void operator delete(void* p) noexcept {
    uncounted(p);
}
void operator delete[](void* p) noexcept {
    uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
    uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    uncounted(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    uncounted(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    uncounted(p);
}

namespace {

std::string picture24;
std::string picture8;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Heap bytes a call needs at its peak, beyond what was held before it.
template <typename F> double peakHeapOf(F&& call) {
    const std::size_t before = heapNow.load();
    heapPeak = before;
    call();
    return static_cast<double>(heapPeak.load() - before);
}

template <typename F> void measure(benchmark::State& state, F&& call) {
    state.counters["peak_heap_bytes"] = peakHeapOf(call);
    for (auto _ : state) {
        call();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

const char* halftoneName(int halftone) {
    static const char* const kNames[] = {"none", "dither-m3", "dither-m4", "error-diffuse"};
    return kNames[halftone];
}

// A picture with smooth areas, edges and noise, so that no halftone gets an easy ride.
void makeSyntheticPictures(const std::string& folder) {
    const std::size_t stride = (3 * kWidth + 3) / 4 * 4;
    std::vector<std::uint8_t> file(54 + stride * kHeight, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, kWidth);
    put32(22, kHeight);
    file[26] = 1;
    file[28] = 24;
    std::uint32_t noise = 12345;
    for (int r = 0; r < kHeight; ++r) {
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 28) - 8;
            std::uint8_t* p = file.data() + 54 + stride * r + 3 * x;
            const bool disc = (x - 600) * (x - 600) + (r - 300) * (r - 300) < 200 * 200;
            p[0] = static_cast<std::uint8_t>(std::min(255, std::max(0, x / 4 + n)));
            p[1] = static_cast<std::uint8_t>(std::min(255, std::max(0, r / 3 + n)));
            p[2] = static_cast<std::uint8_t>(disc ? 230 : (x + r) / 7);
        }
    }
    picture24 = folder + "/bench_logo24.bmp";
    logo::writeWholeFile(picture24, file.data(), file.size());
    char out[logo::kWorkPathBufferSize];
    logo::MakeGrayWorkBitmap24(picture24.c_str(), out, 0, 0);
    picture8 = folder + "/bench_logo8.bmp";
    std::filesystem::rename(out, picture8);
}

logo::ImageError load(const std::string& path, int bitCount, logo::ByteBuffer& bytes,
                      logo::BmpImage& image) {
    std::unique_ptr<logo::ByteSource> file = logo::openFileSource(path);
    return file ? logo::loadBmp(*file, logo::depthSet(bitCount), bytes, image)
                : logo::ImageError::CannotOpen;
}

void registerAll() {
    char* out = new char[logo::kWorkPathBufferSize];
    static logo::ByteBuffer bytes24;
    static logo::ByteBuffer bytes8;
    static logo::BmpImage image24;
    static logo::BmpImage image8;
    if (load(picture24, 24, bytes24, image24) != logo::ImageError::None ||
        load(picture8, 8, bytes8, image8) != logo::ImageError::None) {
        std::fprintf(stderr, "bench_logo: the pictures must be 1024 x 768, 24-bit and 8-bit\n");
        std::exit(1);
    }

    benchmark::RegisterBenchmark("file/24-bit/gray", [=](benchmark::State& s) {
        measure(s, [&] { logo::MakeGrayWorkBitmap24(picture24.c_str(), out, 0, 0); });
    });
    benchmark::RegisterBenchmark("file/8-bit/gray", [=](benchmark::State& s) {
        measure(s, [&] { logo::MakeGrayWorkBitmap8(picture8.c_str(), out, 0, 0); });
    });
    for (int h = 0; h < 4; ++h) {
        benchmark::RegisterBenchmark(
            ("file/24-bit/" + std::string(halftoneName(h))).c_str(), [=](benchmark::State& s) {
                measure(s, [&] { logo::MakeMonoWorkBitmap24(picture24.c_str(), out, h, 0, 0); });
            });
        benchmark::RegisterBenchmark(
            ("file/8-bit/" + std::string(halftoneName(h))).c_str(), [=](benchmark::State& s) {
                measure(s, [&] { logo::MakeMonoWorkBitmap8(picture8.c_str(), out, h, 0, 0); });
            });
    }
    benchmark::RegisterBenchmark("file/24-bit/read only", [](benchmark::State& s) {
        measure(s, [&] {
            logo::ByteBuffer b;
            logo::BmpImage i;
            load(picture24, 24, b, i);
        });
    });

    benchmark::RegisterBenchmark("memory/24-bit/gray", [](benchmark::State& s) {
        measure(s, [&] {
            logo::ByteBuffer o;
            logo::convertToGray(image24, 0, 0, o);
        });
    });
    benchmark::RegisterBenchmark("memory/24-bit/gray contrast 30", [](benchmark::State& s) {
        measure(s, [&] {
            logo::ByteBuffer o;
            logo::convertToGray(image24, 30, -10, o);
        });
    });
    benchmark::RegisterBenchmark("memory/8-bit/gray", [](benchmark::State& s) {
        measure(s, [&] {
            logo::ByteBuffer o;
            logo::convertToGray(image8, 0, 0, o);
        });
    });
    for (int h = 0; h < 4; ++h) {
        benchmark::RegisterBenchmark(("memory/24-bit/" + std::string(halftoneName(h))).c_str(),
                                     [=](benchmark::State& s) {
                                         measure(s, [&] {
                                             logo::ByteBuffer o;
                                             logo::convertToMono(image24, h, 0, 0, o);
                                         });
                                     });
        benchmark::RegisterBenchmark(("memory/8-bit/" + std::string(halftoneName(h))).c_str(),
                                     [=](benchmark::State& s) {
                                         measure(s, [&] {
                                             logo::ByteBuffer o;
                                             logo::convertToMono(image8, h, 0, 0, o);
                                         });
                                     });
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--picture24=", 0) == 0) {
            picture24 = arg.substr(12);
        } else if (arg.rfind("--picture8=", 0) == 0) {
            picture8 = arg.substr(11);
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (picture24.empty() || picture8.empty()) {
        makeSyntheticPictures(std::filesystem::temp_directory_path().string());
    }
    registerAll();
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) {
        return 2;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
