#include "shell/settings/default_settings_table.h"

#include <array>

namespace tlsettings {
namespace {

// Install key, setting name, integer default, text default (and where the machine decides).
constexpr std::array<DefaultSetting, 87> kSettings = {{
    {u"MEDIALOCATION", u"General - Music Location", 0, u"", MachineDefault::kMusicFolder},  // 0
    {u"MAKEDEFAULTPLAYER", u"General - Make Default Music Player", 1, u""},                 // 1
    {u"MINIMIZETOSYSTRAY", u"General - Minimize To System Tray", 0, u""},                   // 2
    {u"MINIME_ALWAYSONTOP", u"Minime - Always On Top", 0, u""},                             // 3
    {u"MINIME_INACTIVETRANSPARENT", u"General - Inactive Mini View Transparent", 1, u""},   // 4
    {u"ENABLESHELLINTEGRATION", u"General - Enable Shell Integration", 0, u"",
     MachineDefault::kShellHandlerExists},                                                                  // 5
    {u"", u"General - Online Metadata Automatic Disc Lookup and Submit", 1, u""},                           // 6
    {u"", u"General - Online Metadata Automatic Cover Art Submit", 1, u""},                                 // 7
    {u"", u"General - Online Metadata Automatic Ratings Submit", 0, u""},                                   // 8
    {u"", u"General - Online Metadata Lookup Language", 0, u"en"},                                          // 9
    {u"START_MODE", u"Startup - Mode", 0, u""},                                                             // 10
    {u"START_LOCATION", u"Startup - Page", 0, u""},                                                         // 11
    {u"START_SHOWSPLASHSCREEN", u"Startup - Show Splash Screen", 1, u""},                                   // 12
    {u"", u"Startup - Show Tree", 1, u""},                                                                  // 13
    {u"", u"Startup - Show Action Window", 1, u""},                                                         // 14
    {u"START_PLAYBACKCURRENT", u"Startup - Start Playback", 0, u""},                                        // 15
    {u"START_OPTIMIZEVOLUME", u"Startup - Optimize Volume", 1, u""},                                        // 16
    {u"LIBCONVERSION_ENCODER", u"Library Server Conversion - Encoder", 3, u""},                             // 17
    {u"LIBCONVERSION_ENCODERQUALITY", u"Library Server Conversion - Quality", 0, u""},                      // 18
    {u"AUTOIMPORT_FILES", u"General - Automatically Import Files", 0, u""},                                 // 19
    {u"UPDATETAGS", u"Tagging - Update Tags", 1, u""},                                                      // 20
    {u"", u"Tagging - Use Sidecar", 0, u"Video;Data"},                                                      // 21
    {u"WINDOWS_STARTUP_RUN_MODE", u"General - Windows Startup Run Mode", 0, u""},                           // 22
    {u"", u"General - Jump On Play Mode Audio", 0, u""},                                                    // 23
    {u"JUMP_ON_PLAY_MODE_VIDEO", u"General - Jump On Play Mode Video", 3, u""},                             // 24
    {u"", u"General - Force Windowed Playback From External", 0, u""},                                      // 25
    {u"DOUBLECLICKMOD", u"General - List Double Click Mode", 1, u""},                                       // 26
    {u"PLAYBUTTONMODE", u"General - Play Button Mode", 0, u""},                                             // 27
    {u"PREVIOUSBUTTONMODE", u"General - Previous Button Mode", 1, u""},                                     // 28
    {u"SHOWSTOPBUTTON", u"General - Show Stop Button", 1, u""},                                             // 29
    {u"REMOVEFILESFROMPLAYINGNOWASPLAYED", u"General - Remove Files From Playing Now As Played", 0, u""},   // 30
    {u"STARTPLAYBACKONADD", u"General - Start Playback On Add", 1, u""},                                    // 31
    {u"CLEARRECENTLYIMPORTEDONEXIT", u"General - Clear Recently Imported On Exit", 0, u""},                 // 32
    {u"CLEARPLAYINGNOWONEXIT", u"General - Clear Playing Now On Exit", 0, u""},                             // 33
    {u"", u"General - Show Playlist Groups As Collection", 0, u""},                                         // 34
    {u"", u"General - Bookmark Mode", 0, u""},                                                              // 35
    {u"", u"General - Bookmark Auto Search", 0, u""},                                                       // 36
    {u"HOTKEY_MODE", u"General - Hot Key Mode", 0, u""},                                                    // 37
    {u"LIST_SHOWGRIDLINES", u"View - Show List Grid Lines", 1, u""},                                        // 38
    {u"LIST_SHOWTOOLTIPS", u"View - List Tool Tips", 1, u""},                                               // 39
    {u"LIST_CHECKFORMISSING", u"View - List Check For Missing Files", 1, u""},                              // 40
    {u"LIST_AUTOSIZECOLUMNS", u"View - List Autosize Columns", 1, u""},                                     // 41
    {u"LIST_LEFTMOUSELASSO", u"View - Left Mouse Lasso", 0, u""},                                           // 42
    {u"LIST_TEXTLINES", u"View - List Lines", 0, u""},                                                      // 43
    {u"AUTOEXPANDTREE", u"View - Auto Expand Tree", 1, u""},                                                // 44
    {u"AUTOSIZETREE", u"View - Auto Size Tree", 0, u""},                                                    // 45
    {u"SORTING_AUTOSAVELISTSORT", u"Sorting - Auto Save List Sorting", 1, u""},                             // 46
    {u"AUTOSIZETRUNCATELONG", u"View - Auto Size Truncate Long Values", 1, u""},                            // 47
    {u"MENUMRUCOUNT_RIGHTCLICK", u"View - Right Click MRU Count", 1, u""},                                  // 48
    {u"RIP_AUTORIPMODE", u"Ripping - Auto Rip Mode", 1, u""},                                               // 49
    {u"RIP_ANALYZEAUDIO", u"Ripping - Analyze Audio During Ripping", 1, u""},                               // 50
    {u"RIP_RETRIEVECOVERART", u"Ripping - Get Cover Art After Ripping", 1, u""},                            // 51
    {u"RIP_SHOWRECENTLYRIPPEDPLAYLIST", u"Ripping - Show Recently Ripped Playlist After Ripping", 1, u""},  // 52
    {u"RIP_EJECT", u"Ripping - Eject After Ripping", 1, u""},                                               // 53
    {u"RIP_PLAYSOUNDWHENCOMPLETE", u"Ripping - Play Sound After Ripping", 0, u""},                          // 54
    {u"RIP_SOUNDFILE", u"Ripping - Complete Sound File", 0, u"chord.wav"},                                  // 55
    {u"BURN_SOUNDFILE", u"Burning - Complete Sound File", 0, u"chord.wav"},                                 // 56
    {u"BURN_PLAYSOUND_AFTER_BURN", u"Burning - Play Sound After Burn", 0, u""},                             // 57
    {u"BURN_ISO_VERSION", u"Burning - ISO Version", 1, u""},                                                // 58
    {u"BURN_USE_PLAYBACK_SETTINGS", u"Burning - Use Playback Settings", 0, u""},                            // 59
    {u"BURN_WRITER_NAME", u"Burning - Writer Name", 0, u""},                                                // 60
    {u"BURN_EJECT", u"Burning - Eject After Burn", 1, u""},                                                 // 61
    {u"BURN_TEST_MODE", u"Burning - Test Mode", 0, u""},                                                    // 62
    {u"BURN_WRITE_CD_TEXT", u"Burning - Write CD Text", 1, u""},                                            // 63
    {u"BURN_CLOSE_DISK", u"Burning - Close Disc", 0, u""},                                                  // 64
    {u"BURN_DATA_FILE_SYSTEM", u"Burning - Data File System", 0, u""},                                      // 65
    {u"ASSOC_AUDIO_CD", u"File Associations - Play Audio CDs", 1, u""},                                     // 66
    {u"LIBCONVERSION_ENABLE", u"Library Server Conversion - Convert audio files", 0, u""},                  // 67
    {u"", u"Ripping - Show ZADB Multi Match", 1, u""},                                                      // 68
    {u"", u"Ripping - Show ZADB Submission", 1, u""},                                                       // 69
    {u"", u"Ripping - Show ZADB Failure", 1, u""},                                                          // 70
    {u"", u"Ripping - Overwrite Existing", 0, u""},                                                         // 71
    {u"", u"Ripping - Cue File Support", 0, u""},                                                           // 72
    {u"", u"Ripping - Cue File Template", 0, u""},                                                          // 73
    {u"", u"Ripping - Auto Create Secure Mode Log File", 0, u""},                                           // 74
    {u"", u"Ripping - Max Ripping Processes", 1, u""},                                                      // 75
    {u"", u"Ripping - Max Encoding Processes", 3, u""},                                                     // 76
    {u"", u"Ripping - Max Combined Processes", 4, u""},                                                     // 77
    {u"", u"Ripping - Encode and Rip Concurrently", 1, u""},                                                // 78
    {u"", u"Ripping - Normalize After", 0, u""},                                                            // 79
    {u"START_ALWAYS_LOAD_DEFAULT_LIBRARY", u"Startup - Always load default library", 0, u""},               // 80
    {u"", u"General - Hotkey As Media Server", 1, u""},                                                     // 81
    {u"", u"Tagging - Sidecar mode", 0, u"1"},                                                              // 82
    {u"", u"General - Mouse wheel jump increment", 9, u""},                                                 // 83
    {u"", u"General - Disable skipping with mouse wheel", 0, u""},                                          // 84
    {u"MOUSEWHEELVOLUME", u"General - Mouse Wheel Volume", 1, u""},                                         // 85
    {u"MINIVIEWCLOSEMODE", u"General - Mini View Close Mode", 0, u""},                                      // 86
}};

}  // namespace

std::span<const DefaultSetting> DefaultSettings() { return kSettings; }

const DefaultSetting* FindDefaultSetting(int id) {
    if (id < 0 || static_cast<size_t>(id) >= kSettings.size()) return nullptr;
    return &kSettings[static_cast<size_t>(id)];
}

}  // namespace tlsettings
