#pragma once
// What the two setup type pages decide: whether they pass over themselves and which install flags
// leaving them forward sets. Their texts are data here so that the windows only show them.

#include <cstdint>
#include <optional>

#include "core/session/install_session.h"

namespace wizard_rules {

struct RadioChoiceText {
    const char16_t* name;
    const char16_t* description;
};

inline constexpr char16_t kSetupTypeLabel[] = u"Please select a setup type.";
inline constexpr RadioChoiceText kSetupTypeChoices[] = {
    {u"Express", u"Most common set of program features will be installed."},
    {u"Custom", u"Choose program installation location and file associations. Recommended for advanced users."},
};
inline constexpr int kExpressChoice = 0;
inline constexpr char16_t kAutoInstallCheckText[] = u"Next time use Auto Install after 30 second timeout.";

inline constexpr char16_t kCustomSetupTypeLabel[] = u"Please select custom setup type.";
inline constexpr RadioChoiceText kCustomSetupTypeChoices[] = {
    {u"Normal install to a computer",
     u"This will let you install the program to any location on your computer.  You can choose the drive and path."},
    {u"Portable install",
     u"This lets you put a complete copy of the program on a removable drive, so you can take it to another "
     u"compatible computer and run it.  This will also ask for a drive and path."},
};
inline constexpr int kPortableChoice = 1;

// The product asks (feature 173) whether portable installs are offered through the custom page.
inline constexpr int kCustomSetupTypeFeature = 173;

// The check box starts ticked when the last run asked for the automatic install.
inline bool AutoInstallTickedAtStart(int64_t run_auto_install) { return run_auto_install != 0; }

// Sets express mode and clears portable mode from the choice; gives the value to remember as
// "Run Auto Install" for the next run, or nothing when the page passes over itself (which makes the
// install an express one).
std::optional<int> LeaveSetupType(InstallSession& session, int selected_choice, bool auto_install_ticked);

// Sets portable mode from the choice unless the page was passed over.
void LeaveCustomSetupType(InstallSession& session, bool custom_offered, int selected_choice);

}  // namespace wizard_rules
