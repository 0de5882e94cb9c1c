#pragma once
// CSettingsHelper: the product's settings as an installation presets them. A setting's value is the
// one stored in the product's "Properties" section; where none is stored, the product information's
// "/*/DefaultSettings/<key>" element; where that is missing too, the built-in default of the table.
// Setting shell integration (identifier 5) also registers or unregisters the shell extension.
//
// Identifiers outside the table are refused: reads give the caller's default (or the empty/zero
// default), writes fail.

#include "core/string/tl_string.h"
#include "core/tools/tools.h"

class CSettingsHelper {
public:
    CSettingsHelper();
    virtual ~CSettingsHelper();
    CSettingsHelper(const CSettingsHelper&) = delete;
    CSettingsHelper& operator=(const CSettingsHelper&) = delete;

    virtual TLString GetString(int id);
    virtual int GetInt(int id);
    virtual bool SetInt(int id, int value);
    virtual bool SetString(int id, const TLString& text);
    virtual int GetIntDefault(int id);
    virtual TLString GetStringDefault(int id);
    virtual TLString GetSettingName(int id);
    virtual TLString GetInstallKey(int id);
    virtual TLString GetInstallString(int id, const TLString& fallback);
    virtual int GetInstallInt(int id, int fallback);

private:
    tools::Settings properties_;
};
