#pragma once
// The tool cores of the mode table (builder, anchor, adjust) as the tools of their view modes:
// started with the view mode state as the mode they read, and registered for their modes.
namespace Core {

// Once at start-up, after the project's models exist.
void InstallModeTools();

}  // namespace Core
