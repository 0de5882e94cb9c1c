#pragma once
// Control identifiers of the wizard window's own parts. They stay the same from build to build, so
// that a program driving the wizard (a test, a screen reader script) finds each part by its number.

namespace toolkit {

constexpr int kHeaderId = 0x3000;
constexpr int kButtonBarId = 0x3001;
constexpr int kBackButtonId = 0x3002;
constexpr int kNextButtonId = 0x3003;
constexpr int kCancelButtonId = 0x3004;
constexpr int kButtonBarNoteId = 0x3005;
// The page window shown now has this identifier plus its index in the wizard's page list.
constexpr int kFirstPageId = 0x3100;

}  // namespace toolkit
