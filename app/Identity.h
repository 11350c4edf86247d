// How the desktop knows the program: the desktop entry's id (also the
// application id on Wayland and the icon's name) and the window icon.
#pragma once

#include <QIcon>

namespace sk {

inline constexpr const char* kDesktopId = "org.example.Skarbolt98";

// The program icon in every size the desktop entry installs.
QIcon ProgramIcon();

// Sets the desktop file name and the icon for all windows without one.
void SetDesktopIdentity();

}  // namespace sk
