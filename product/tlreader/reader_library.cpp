// The stand-in of the product's reader library: HTTP and https through WinHTTP, local files and
// network paths through the file API, gzip through zlib.
#include <windows.h>

#include "core/tools/reader_interface.h"
#include "core/tools/tools_interface.h"
#include "product/tlreader/file_reader.h"
#include "product/tlreader/gzip_decompressor.h"
#include "product/tlreader/http_reader.h"

namespace {

class CReaderLibrary final : public tltools::IProductModule {
public:
    void Initialize(void*) override {}
};

CReaderLibrary g_library;

}  // namespace

extern "C" {

__declspec(dllexport) tltools::IProductModule* TLReaderInitialize(int) { return &g_library; }

__declspec(dllexport) void TLReaderUninitialize() {}

__declspec(dllexport) tltools::IReader* CreateInternetReaderDLL(const TLString& address) {
    return tlreader::CHttpReader::Create(address);
}

__declspec(dllexport) tltools::IReader* CreateGenericReaderDLL(const TLString& address) {
    if (tltools::IReader* http = tlreader::CHttpReader::Create(address)) return http;
    return address.empty() ? nullptr : new tlreader::CFileReader(address);
}

__declspec(dllexport) tltools::IDecompressor* CreateGzipDecompressorDLL() { return new tlreader::CGzipDecompressor(); }

}  // extern "C"
