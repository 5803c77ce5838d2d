#pragma once
// While a form is made (its resource read, then its OnCreate), left-aligned
// single-line labels that fit their bounds to their text (AutoSize) do so
// once, when the form is complete, instead of for every caption they hold on
// the way. Their final bounds are the same either way; what is saved is the
// measuring of captions nobody sees: a form read with Chinese captions and
// switched to English in OnCreate would otherwise make the system open a large
// CJK font just to measure glyphs that are never drawn.
// Scopes nest (a form made inside another form's OnCreate finishes its own
// labels when its own scope ends).
class TLabel;

class LabelFitScope {
public:
    LabelFitScope();
    ~LabelFitScope();
    LabelFitScope(const LabelFitScope&) = delete;
    LabelFitScope& operator=(const LabelFitScope&) = delete;

    // Takes `label` into the innermost open scope; false when none is open.
    static bool Defer(TLabel* label);
    // A label freed before its scope ends is dropped from it.
    static void Forget(TLabel* label);
};
