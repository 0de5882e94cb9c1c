// TLDisc.dll: disc reading and burning of the product; the installer only copies it.
#include "product/core_libraries/product_module.h"

TL_PRODUCT_MODULE_ENTRY(TLDiscInitialize)

extern "C" __declspec(dllexport) void TLDiscUninitialize() {}
