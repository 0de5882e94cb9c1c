#include "tests/dependencies/dependency_test_support.h"

#include "core/process/tl_process_info_block.h"
#include "core/tools/module_loader.h"
#include "engine/dependencies/sha256.h"

namespace tltest {

ServedFiles::ServedFiles(const ScratchFolder* within) : scratch_(within ? within : &own_.emplace()) {
    setup_bytes_ = ReadFileBytes(BuildPath(u"tests/dependencies/fixtures/SetupRecorder.exe"));
    // Large enough for many blocks and for a slow answer that takes seconds.
    for (int i = 0; data_bytes_.size() < 300000; ++i) data_bytes_ += "block " + std::to_string(i) + " of data\n";
    EXPECT_FALSE(setup_bytes_.empty());
    EXPECT_TRUE(scratch_->WriteFile(u"served\\d3dx943.exe", setup_bytes_));
    EXPECT_TRUE(scratch_->WriteFile(u"served\\data.bin", data_bytes_));
    // The reader library comes from the program folder that the process information block names.
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    program_folder_before_ = block->GetString(TLProcessInfoBlock::kProgramFolder);
    block->SetString(TLProcessInfoBlock::kProgramFolder, BuildPath(u"distribution/Tunevault/"));
    server_ = std::make_unique<LoopbackHttpServer>(scratch_->Path(u"served\\"), scratch_->Path(u"server\\"));
    EXPECT_TRUE(server_->running());
}

ServedFiles::~ServedFiles() {
    server_.reset();
    tltools::TLModuleLoader::Get().UnloadAll();
    TLProcessInfoBlock::Get()->SetString(TLProcessInfoBlock::kProgramFolder, program_folder_before_);
}

std::string ServedFiles::SetupSha256() const {
    engine::Sha256 hash;
    hash.Update(setup_bytes_.data(), setup_bytes_.size());
    return hash.FinishHex();
}

}  // namespace tltest
