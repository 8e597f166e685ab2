// The presentation layer's side of the application core's TFrontEnd: the pointer, the screen fade, the
// loading screen, the paused picture, screen headers and menus and the debug text the core drives.
// The game's start-up calls RegisterPresentation once, before it makes the application object; the
// presentation and game tests call it from their support code.
#pragma once

void RegisterPresentation();
