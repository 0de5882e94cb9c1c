#include "tests/support/product_tools.h"

#include "core/process/tl_process_info_block.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/xml/file_text.h"

namespace tltest {

ProductTools::ProductTools(std::u16string_view product_xml) {
    const TLString program = scratch_.Path(u"Tunevault\\");
    if (!CopyTree(BuildPath(u"distribution/Tunevault"), program) || !MakeFolders(InstallFolder())) return;
    if (!product_xml.empty() &&
        !tlxml::WriteTextFile(program + u"Product.xml", product_xml, tlxml::TextEncoding::kUtf8))
        return;
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    block->SetString(TLProcessInfoBlock::kProgramFolder, program);
    block->SetString(TLProcessInfoBlock::kInstallFolder, InstallFolder());
    if (!tltools::TLModuleLoader::Get().Load(tltools::kToolsSlot)) return;
    TLString error;
    loaded_ = tools::ProductInfo() && tools::ProductInfo()->Load(TLString(), &error);
}

ProductTools::~ProductTools() {
    tltools::TLModuleLoader::Get().UnloadAll();
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    block->SetString(TLProcessInfoBlock::kProgramFolder, u"");
    block->SetString(TLProcessInfoBlock::kInstallFolder, u"");
}

}  // namespace tltest
