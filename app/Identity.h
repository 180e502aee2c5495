#pragma once

// Name, version, organisation and desktop entry of the program, as the desktop, the
// settings store and --version see them. Needs no application object.
void SetApplicationIdentity();

// The window icon of every window: the picture that is installed for the desktop, taken
// from the program's own resources so that it shows from the build tree too.
void SetApplicationIcon();
