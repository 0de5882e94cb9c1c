// TLPlayer.dll: the product's playback engine; the installer only copies it.
#include "product/core_libraries/product_module.h"

TL_PRODUCT_MODULE_ENTRY(GetTLPlayerDLL)
