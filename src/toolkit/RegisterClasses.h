#pragma once
// Registers every toolkit class with its published properties: the portable
// ones (RegisterCoreClasses) and the window-side ones (fonts, controls,
// forms, timers). Form resources can only name registered classes, so the
// application's start-up calls this (TApplication::Initialize and
// CreateForm do); a test that reads forms without them calls it itself.
// Later calls do nothing.
void RegisterToolkitClasses();
