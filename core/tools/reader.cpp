#include "core/tools/reader.h"

#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/module_function.h"

namespace tools {
namespace {

Reader CreateReader(const char* export_name, const TLString& address) {
    tltools::TLModuleLoader& loader = tltools::TLModuleLoader::Get();
    const auto create = loader.Load(tltools::kReaderSlot) ? tlwin::ModuleFunction<tltools::CreateReaderFunction>(
                                                                loader.Module(tltools::kReaderSlot), export_name)
                                                          : nullptr;
    Reader reader(create ? create(address) : nullptr);
    if (!reader) LogFormat(u"CreateReader", u"No reader from %s for %s", TLString::FromUtf8(export_name), address);
    return reader;
}

}  // namespace

Reader CreateInternetReader(const TLString& address) { return CreateReader("CreateInternetReaderDLL", address); }

Reader CreateGenericReader(const TLString& address) { return CreateReader("CreateGenericReaderDLL", address); }

}  // namespace tools
