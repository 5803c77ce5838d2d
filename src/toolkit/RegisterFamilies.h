#pragma once
// Published properties of the toolkit's control families, one function per
// family and file, called once by RegisterToolkitClasses after the base
// classes they derive from are registered.
void RegisterMenuClasses();          // menus, MDI forms (RegisterMenus.cpp)
void RegisterCommonControlClasses(); // list and tree views, headers, tabs, tool bars, image lists (RegisterCommonControls.cpp)
void RegisterMoreControlClasses();   // scroll boxes, grids, frames, media player, tab set (RegisterMoreControls.cpp)
