#pragma once

// Whether the desktop blends translucent windows with what lies below them.
// Without a compositing manager an X server shows their transparent pixels
// black, so a shadow window would cover what it should frame.
bool desktop_shows_translucent_windows();
