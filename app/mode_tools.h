#pragma once
// The adjust, anchor and builder tool cores as the tools of the view modes: started with the
// view mode state as the mode they read, and registered for modes 3, 2 and 1.
namespace Core {

// Once at start-up, after the project's models exist.
void InstallModeTools();

}  // namespace Core
