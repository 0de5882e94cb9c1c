#pragma once
// The object a core library's entry export hands out: it keeps the application's instance handle and
// offers nothing else the installer uses.

#include "core/tools/tools_interface.h"

namespace tlproduct {

class ProductModule final : public tltools::IProductModule {
public:
    void Initialize(void* instance) override { instance_ = instance; }
    void* instance() const { return instance_; }

private:
    void* instance_ = nullptr;
};

inline ProductModule& TheModule() {
    static ProductModule module;
    return module;
}

}  // namespace tlproduct

#define TL_PRODUCT_MODULE_ENTRY(name) \
    extern "C" __declspec(dllexport) tltools::IProductModule* name(int) { return &tlproduct::TheModule(); }
