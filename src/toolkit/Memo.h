#pragma once
// Multi-line edit over the system EDIT (ES_MULTILINE; Enter and Tab typed
// into it stay text). Lines is the text split at line breaks: read it after
// the user typed and it reflects the window; change it and the window shows
// the new text. WordWrap and ScrollBars are window styles (a change makes a
// new window, keeping the text).
#include "toolkit/Edit.h"
#include "toolkit/core/Strings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TEdit {
public:
    explicit TMemo(TComponent* AOwner);

    TStrings& Lines();
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);


protected:
    void CreateParams(TCreateParams& params) override;

private:
    void LinesChanged();

    TStrings lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool syncing_ = false;
};
