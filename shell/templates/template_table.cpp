#include "shell/templates/template_table.h"

#include "core/tools/tools.h"

namespace shell {
namespace {

constexpr char16_t kPlayCommand[] = u"\"[LAUNCHERPATH]\" /Play \"%L\"";
constexpr char16_t kFileIcon[] = u"\"[CUSTOMART]fileimage.ico\"";

TLString Line(const TLString& key, const TLString& name, const TLString& data, const char16_t* type = u"STRING") {
    return key + u"|" + name + u"|" + data + u"|" + type + u"|MODIFY";
}

// The ProgID every associated file type points at, and the Open With entry, which has the same verbs.
void AddPlayerEntry(TLStringArray& table, const TLString& key, bool with_icon) {
    table.Add(Line(key, u"Default", u"[PRODUCTNAME] file"));
    table.Add(Line(key + u"\\shell", u"Default", u"Play"));
    table.Add(Line(key + u"\\shell\\open\\command", u"Default", kPlayCommand));
    table.Add(Line(key + u"\\shell\\Play", u"Default", u"&Play in [PRODUCTNAME]"));
    table.Add(Line(key + u"\\shell\\Play\\command", u"Default", kPlayCommand));
    if (with_icon) table.Add(Line(key + u"\\DefaultIcon", u"Default", kFileIcon));
}

struct DocumentType {
    const char16_t* prog_id;
    const char16_t* content_type;  // null: none
    const char16_t* command;
    const char16_t* icon;
};

constexpr DocumentType kDocumentTypes[] = {
    {u"[PRODUCTWITHVERSION].Pack", u"application/x-tunevault-qvp",
     u"\"[INSTALLDIR]PackageInstaller.exe\" /Install \"%L\"", u"\"[INSTALLDIR]PackageInstaller.exe\",1"},
    {u"[PRODUCTWITHVERSION].Playlist", u"application/x-tunevault-mpl", kPlayCommand, kFileIcon},
    {u"[PRODUCTWITHVERSION].Registration", nullptr, u"\"[INSTALLDIR]PackageInstaller.exe\" /Register \"%L\"",
     kFileIcon},
    {u"[PRODUCTWITHVERSION].Subscribe", nullptr, u"\"[LAUNCHERPATH]\" /Subscribe \"%L\"", kFileIcon},
    {u"[PRODUCTWITHVERSION].Mime", nullptr, u"\"[LAUNCHERPATH]\" /Mime \"%L\"", kFileIcon},
};

// Key, value name and data of the MIME database entries and extensions.
constexpr const char16_t* kExtensionLines[][3] = {
    {u"MIME\\Database\\Content Type\\application/podcast+xml", u"Extension", u".podcast"},
    {u"MIME\\Database\\Content Type\\application/rss+xml", u"Extension", u".rss"},
    {u".rrg", u"Default", u"[PRODUCTWITHVERSION].Registration"},
    {u".qvr", u"Default", u"[PRODUCTWITHVERSION].Registration"},
    {u".qvp", u"Default", u"[PRODUCTWITHVERSION].Pack"},
    {u".mpl", u"Default", u"[PRODUCTWITHVERSION].Playlist"},
    {u".qvs", u"Default", u"[PRODUCTWITHVERSION].Pack"},
    {u"Mime\\Database\\Content Type\\application/x-tunevault-qvp", u"Extension", u".qvp"},
    {u"Mime\\Database\\Content Type\\application/x-tunevault-mpl", u"Extension", u".mpl"},
    {u"Mime\\Database\\Content Type\\application/x-tunevault-qvr", u"Extension", u".qvr"},
    {u"Mime\\Database\\Content Type\\application/x-tunevault-qva", u"Extension", u".qva"},
};

struct AutoPlayHandler {
    std::initializer_list<const char16_t*> events;
    const char16_t* name;
    const char16_t* action;
    const char16_t* invoke_prog_id;  // null: the shell's own handler starts the program (MTP devices)
    const char16_t* verb;
};

const AutoPlayHandler kAutoPlayHandlers[] = {
    {{u"MTPMediaPlayerArrival"}, u"TLMTPHandler", u"Synchronize media files to this device", nullptr, u"Start"},
    {{u"HandleCDBurningOnArrival"}, u"TLBurnCDOnArrival", u"Burn a CD or DVD", u"[PRODUCTWITHVERSION].BurnCD",
     u"Burn"},
    {{u"PlayCDAudioOnArrival"}, u"TLCDAudioOnArrival", u"Play an audio CD", u"[PRODUCTWITHVERSION].PlayAudioCD",
     u"Play"},
    {{u"PlayCDAudioOnArrival"}, u"TLRipCDOnArrival", u"Rip an audio CD", u"[PRODUCTWITHVERSION].Rip", u"Start"},
    {{u"PlayDVDMovieOnArrival"}, u"TLPlayDVDOnArrival", u"Play DVD Video", u"[PRODUCTWITHVERSION].PlayDVDVideo",
     u"Play"},
    {{u"PlayBluRayOnArrival"}, u"TLPlayBlurayOnArrival", u"Play Blu-ray", u"[PRODUCTWITHVERSION].PlayBluray",
     u"Play"},
    {{u"PlayMusicFilesOnArrival", u"ShowPicturesOnArrival", u"PlayVideoFilesOnArrival"}, u"TLPlayMediaOnArrival",
     u"Play Media", u"[PRODUCTWITHVERSION].PlayMedia", u"Play"},
};

struct HandlerVerb {
    const char16_t* prog_id;
    const char16_t* verb;
    const char16_t* switch_text;
    bool with_file;
};

constexpr HandlerVerb kHandlerVerbs[] = {
    {u"[PRODUCTWITHVERSION].BurnCD", u"Burn", u"/Burn", true},
    {u"[PRODUCTWITHVERSION].Rip", u"Start", u"/Rip", true},
    {u"[PRODUCTWITHVERSION].PlayAudioCD", u"Play", u"/AudioCD", true},
    {u"[PRODUCTWITHVERSION].PlayDVDVideo", u"Play", u"/DVDVideo", true},
    {u"[PRODUCTWITHVERSION].PlayBluray", u"Play", u"/Bluray", true},
    {u"[PRODUCTWITHVERSION].Start", u"Start", u"/Start", false},
    {u"[PRODUCTWITHVERSION].PlayMedia", u"Start", u"/Play", true},
};

void AddAutoPlayHandlers(TLStringArray& table) {
    for (const AutoPlayHandler& handler : kAutoPlayHandlers) {
        for (const char16_t* event : handler.events)
            table.Add(Line(TLString(u"[AUTOPLAYKEY]EventHandlers\\") + event, handler.name, TLString()));
        const TLString key = TLString(u"[AUTOPLAYKEY]Handlers\\") + handler.name;
        table.Add(Line(key, u"Action", tools::Translate(handler.action)));
        table.Add(Line(key, u"DefaultIcon", kFileIcon));
        if (handler.invoke_prog_id)
            table.Add(Line(key, u"InvokeProgID", handler.invoke_prog_id));
        else
            table.Add(Line(key, u"ProgID", u"Shell.HWEventHandlerShellExecute"));
        table.Add(Line(key, u"InvokeVerb", handler.verb));
        table.Add(Line(key, u"Provider", u"[PRODUCTNAME]"));
        if (!handler.invoke_prog_id) table.Add(Line(key, u"InitCmdLine", u"\"[EXEPATH]\""));
    }
}

}  // namespace

TLStringArray BuildTemplateTable(bool with_launcher) {
    TLStringArray table;
    table.Add(u"HKEY_CLASSES_ROOT");
    AddPlayerEntry(table, u"[PRODUCTWITHVERSION].File", true);
    if (with_launcher) AddPlayerEntry(table, u"Applications\\[LAUNCHERNAME]", false);
    for (const DocumentType& type : kDocumentTypes) {
        const TLString key = type.prog_id;
        table.Add(Line(key, u"Default", key));
        table.Add(Line(key, u"BrowserFlags", u"8", u"DWORD"));
        table.Add(Line(key, u"EditFlags", u"65536", u"DWORD"));
        if (type.content_type) table.Add(Line(key, u"Content Type", type.content_type));
        table.Add(Line(key + u"\\shell\\open\\command", u"Default", type.command));
        table.Add(Line(key + u"\\DefaultIcon", u"Default", type.icon));
    }
    for (const auto& line : kExtensionLines) table.Add(Line(line[0], line[1], line[2]));

    table.Add(u"HKEY_CURRENT_USER");
    table.Add(Line(u"Software\\Netscape\\Netscape Navigator\\User Trusted External Applications", u"[LAUNCHERPATH]",
                   u"Yes"));

    table.Add(u"HKEY_LOCAL_MACHINE");
    table.Add(Line(u"[AUTOPLAYKEY]CancelAutoplay\\CLSID", u"21369263-6C67-4a4d-9202-B34D2A5CBC85", TLString()));
    AddAutoPlayHandlers(table);

    table.Add(u"HKEY_CLASSES_ROOT");
    for (const HandlerVerb& verb : kHandlerVerbs) {
        const TLString key = verb.prog_id;
        table.Add(Line(key + u"\\DefaultIcon", u"Default", u"\"[EXEPATH]\",1"));
        TLString command = TLString(u"\"[LAUNCHERPATH]\" ") + verb.switch_text;
        if (verb.with_file) command += u" \"%L\"";
        table.Add(Line(key + u"\\shell\\" + verb.verb + u"\\command", u"Default", command));
    }

    table.Add(u"HKEY_CURRENT_USER");
    const TLString keyboard = u"SOFTWARE\\Microsoft\\Keyboard\\Native Media Players\\[PRODUCTNAME]";
    table.Add(Line(keyboard, u"AppName", u"[PRODUCTNAME]"));
    table.Add(Line(keyboard, u"ExePath", u"[EXEPATH]"));
    return table;
}

}  // namespace shell
