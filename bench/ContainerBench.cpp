// Opening an application file and unpacking its packed "app" section (16 MiB
// of application text) against the bare library work on the same bytes:
// AES-256-CFB decryption and lzo1x_decompress_safe.  Both allocate their
// buffers inside the timed loop, as any reader of a file must; the container
// also opens the file, reads its directory and reads the section from disk
// (from the page cache after the first round).
#include "support/AppContainer.h"

#include <benchmark/benchmark.h>
#include <lzo/lzo1x.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kIdText[] = "5d0c7e1a-bench-container";

std::string MakeApplication(size_t size)
{
    std::string text = "<DRBv1>\n";
    char buffer[512];
    for (int i = 0; text.size() < size - 16; ++i) {
        snprintf(buffer, sizeof buffer,
                 " <BLOCK ID=\"%d\" TYPE=\"%s\">\n  <NAME>Block_%d</NAME>\n  <PIN DB=\"%d:%d\">IN%d</PIN>\n"
                 "  <VALUE>%d.%03d</VALUE>\n </BLOCK>\n",
                 i, i % 3 ? "timer" : "logic", i, i % 4, i * 7 % 1000, i % 17, i * 13 % 9973, i % 1000);
        text += buffer;
    }
    text.resize(size - 9, ' ');
    text += "</DRBv1>\n";
    return text;
}

struct Data {
    ~Data()
    {
        if (!path.empty())
            remove(path.c_str());
    }
    std::string path;
    size_t unpackedLength = 0;
    // Baseline: the same packed plaintext (packed header and LZO1X-1 output),
    // encrypted with AES-256-CFB under a key of its own.
    std::vector<unsigned char> cipherText;
    unsigned char key[32];
    unsigned char iv[16];
};

const Data& GetData()
{
    static Data data = [] {
        Data d;
        std::string app = MakeApplication(16u << 20);
        d.unpackedLength = app.size();
        d.path = std::string(P_tmpdir) + "/trov-bench-container.lmx";
        CGAppContainer writer;
        if (!writer.Create(d.path.c_str()) || !writer.WriteSection("id", kIdText, sizeof kIdText)
            || !writer.WritePackedSection("app", app.data(), app.size(), kIdText, 1) || !writer.Close()) {
            fprintf(stderr, "cannot write %s\n", d.path.c_str());
            abort();
        }

        if (lzo_init() != LZO_E_OK)
            abort();
        std::vector<unsigned char> packed(8 + app.size() + app.size() / 16 + 67);
        std::vector<unsigned char> work(LZO1X_1_MEM_COMPRESS);
        lzo_uint packedLength = 0;
        uint32_t magic = kAppPackedMagic, length = (uint32_t)app.size();
        for (int i = 0; i < 4; ++i) {
            packed[i] = (unsigned char)(magic >> (8 * i));
            packed[4 + i] = (unsigned char)(length >> (8 * i));
        }
        lzo1x_1_compress((const unsigned char*)app.data(), app.size(), packed.data() + 8, &packedLength, work.data());
        packed.resize(8 + packedLength);
        for (int i = 0; i < 32; ++i)
            d.key[i] = (unsigned char)(i * 29 + 5);
        for (int i = 0; i < 16; ++i)
            d.iv[i] = (unsigned char)(i * 11 + 3);
        d.cipherText.resize(packed.size());
        EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
        int written = 0;
        EVP_EncryptInit_ex(context, EVP_aes_256_cfb128(), nullptr, d.key, d.iv);
        EVP_EncryptUpdate(context, d.cipherText.data(), &written, packed.data(), (int)packed.size());
        EVP_CIPHER_CTX_free(context);
        return d;
    }();
    return data;
}

void Container(benchmark::State& state)
{
    const Data& data = GetData();
    for (auto _ : state) {
        CGAppContainer container;
        if (!container.Open(data.path.c_str()))
            state.SkipWithError("open failed");
        container.SetKeyText(container.GetSection("id"));
        size_t length = 0;
        char* app = container.GetSection("app", nullptr, &length);
        if (app == nullptr || length != data.unpackedLength + 1)
            state.SkipWithError("unpack failed");
        benchmark::DoNotOptimize(app);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.unpackedLength);
}

void BaselineLibrary(benchmark::State& state)
{
    const Data& data = GetData();
    for (auto _ : state) {
        size_t packedLength = data.cipherText.size();
        unsigned char* plain = (unsigned char*)malloc(packedLength);
        EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
        int written = 0;
        EVP_DecryptInit_ex(context, EVP_aes_256_cfb128(), nullptr, data.key, data.iv);
        EVP_DecryptUpdate(context, plain, &written, data.cipherText.data(), (int)packedLength);
        EVP_CIPHER_CTX_free(context);
        unsigned char* out = (unsigned char*)malloc(data.unpackedLength + 1);
        lzo_uint produced = data.unpackedLength;
        if (lzo1x_decompress_safe(plain + 8, packedLength - 8, out, &produced, nullptr) != LZO_E_OK
            || produced != data.unpackedLength)
            state.SkipWithError("baseline unpack failed");
        benchmark::DoNotOptimize(out);
        free(out);
        free(plain);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.unpackedLength);
}

BENCHMARK(Container)->Name("ContainerUnpack16MiB/Container")->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineLibrary)->Name("ContainerUnpack16MiB/BaselineLibrary")->Unit(benchmark::kMillisecond);

} // namespace
