#pragma once
// Small helpers shared by the page builders.
#include <string>

#include "toolkit/Control.h"

// Gives a control its own font: the parent's face at `points`.
inline void SetFontSize(TControl* control, int points)
{
    control->SetParentFont(false);
    control->Font().SetSize(points);
}

inline void SetFont(TControl* control, const std::wstring& face, int points)
{
    control->SetParentFont(false);
    control->Font().SetName(face);
    control->Font().SetSize(points);
}
