#pragma once

// The OpenGL context every later context shares with, which the web view needs for its frames.
// Made on demand, never at start-up: creating it loads the graphics driver, which a window drawn
// by the software scene graph never needs, and which otherwise only delays the first window.
namespace SharedGraphicsContext {

// Whether Qt Quick windows draw through OpenGL (not the software scene graph).
bool windowsUseOpenGL();

// Makes the context, once. Only windows whose context is made afterwards share with it. It is
// released with the application.
void ensure();

} // namespace SharedGraphicsContext
