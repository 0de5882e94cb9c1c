#include "core/tools/reader.h"

#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/module_function.h"

namespace tools {
namespace {

template <typename Function>
Function ReaderLibraryFunction(const char* export_name) {
    tltools::TLModuleLoader& loader = tltools::TLModuleLoader::Get();
    return loader.Load(tltools::kReaderSlot)
               ? tlwin::ModuleFunction<Function>(loader.Module(tltools::kReaderSlot), export_name)
               : nullptr;
}

Reader CreateReader(const char* export_name, const TLString& address) {
    const auto create = ReaderLibraryFunction<tltools::CreateReaderFunction>(export_name);
    Reader reader(create ? create(address) : nullptr);
    if (!reader) LogFormat(u"CreateReader", u"No reader from %s for %s", TLString::FromUtf8(export_name), address);
    return reader;
}

}  // namespace

Reader CreateInternetReader(const TLString& address) { return CreateReader("CreateInternetReaderDLL", address); }

Reader CreateGenericReader(const TLString& address) { return CreateReader("CreateGenericReaderDLL", address); }

Decompressor CreateGzipDecompressor() {
    const auto create = ReaderLibraryFunction<tltools::CreateDecompressorFunction>("CreateGzipDecompressorDLL");
    Decompressor decompressor(create ? create() : nullptr);
    if (!decompressor) Log(u"CreateGzipDecompressor", u"The reader library has no gzip decompressor");
    return decompressor;
}

}  // namespace tools
