// TLTelevision.dll: television tuning and recording; the installer only copies it.
#include "product/core_libraries/product_module.h"

TL_PRODUCT_MODULE_ENTRY(GetTLTelevisionDLL)
