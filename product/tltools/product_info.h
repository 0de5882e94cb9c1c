#pragma once
// Product information from "Product.xml" in the program folder: an XML document whose root is
// "TLProduct". Paths of the "/*/Section/Key" form address its elements directly; the numbered
// strings, program files and feature answers have elements of their own:
//
//   <TLProduct version="1">
//     <Items><Item number="0">Tonehall</Item>...</Items>
//     <Program version="27.0.0.1" file="Tonehall.exe" launcher="Tonehall Launcher.exe"
//              startmenu="Tonehall 27" web="https://..."/>
//     <MimeTypes>audio/mpeg;...</MimeTypes>  <UrlProtocols>tonehall;...</UrlProtocols>
//     <Features><Feature number="173">yes</Feature>...</Features>
//     <General><MegaSkin>...</MegaSkin></General> ...
//   </TLProduct>

#include <memory>

#include "core/tools/tools_interface.h"
#include "core/xml/tl_xml_document.h"

namespace tltools_dll {

class CProductInfo final : public tltools::IProductInfo {
public:
    static constexpr char16_t kFileName[] = u"Product.xml";

    bool Load(const TLString& path, TLString* error_text) override;
    TLString GetString(const TLString& path, const TLString& fallback) override;
    int64_t GetInteger(const TLString& path, int64_t fallback) override;
    TLString GetItem(int number) override;
    TLString GetVersionText() override;
    TLString GetMainProgramFileName() override;
    TLString GetLauncherFileName() override;
    TLString GetLauncherPath() override;
    TLString GetStartMenuFolder() override;
    TLString GetWebAddress() override;
    TLString GetMimeTypes() override;
    TLString GetUrlProtocols() override;
    bool Query(int feature) override;
    bool IsLoaded() override { return document_ != nullptr; }

private:
    // The element found by `path` (position set on it), or false.
    bool Find(std::u16string_view path);
    TLString ProgramAttribute(std::u16string_view name);
    TLString NumberedData(std::u16string_view list_path, std::u16string_view name, int number);

    std::unique_ptr<TLXMLDocument> document_;
};

}  // namespace tltools_dll
