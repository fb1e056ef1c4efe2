#pragma once
// The program's images on Qt: the icon of every window and the link cursor.

class QCursor;

// The program icon (resource 177), made the icon of every window.
void InstallProgramIcon();

// The pointing hand of resource 174, its hot spot at the fingertip.
QCursor HandCursor();
