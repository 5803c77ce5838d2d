// Labels fitted to their text while a form is made: the bounds they end with
// are those of their final caption, as if every caption had been measured.
#include <gtest/gtest.h>

#include <memory>

#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace {

class TCaptionsForm : public TForm {
public:
    explicit TCaptionsForm(TComponent* owner) : TForm(owner) {
        OnCreate = TNotifyEvent(this, &TCaptionsForm::FormCreate);
    }
    // Read in one language, switched to another before anyone sees it.
    void FormCreate(TObject*) {
        left = Make(taLeftJustify);
        right = Make(taRightJustify);
        doomed = Make(taLeftJustify);
        for (TLabel* l : {left, right, doomed}) l->SetCaption(L"\u542f\u59cb\u4f4d\u8bbe\u7f6e\u53ea\u7528\u4e8e\u987a\u5e8f\u5f00");
        for (TLabel* l : {left, right}) l->SetCaption(L"start bit");
        delete doomed;  // freed before the form is complete: nothing is fitted for it
    }
    TLabel* Make(TAlignment a) {
        auto* l = new TLabel(this);
        l->SetParent(this);
        l->SetBounds(100, 10, 300, 20);
        l->SetAlignment(a);
        return l;
    }
    TLabel* left = nullptr;
    TLabel* right = nullptr;
    TLabel* doomed = nullptr;
};

TEST(LabelFit, LabelsOfAFormInTheMakingEndFittedToTheirLastCaption) {
    std::unique_ptr<TCaptionsForm> form(TForm::Create<TCaptionsForm>(nullptr));
    // The same captions given to labels outside a form in the making, measured at once.
    TForm plain(nullptr);
    TLabel reference(&plain);
    reference.SetParent(&plain);
    reference.SetBounds(100, 10, 300, 20);
    reference.SetCaption(L"start bit");
    ASSERT_LT(reference.Width(), 300);

    EXPECT_EQ(form->left->Left(), 100);
    EXPECT_EQ(form->left->Width(), reference.Width());
    EXPECT_EQ(form->left->Height(), reference.Height());
    // A right-aligned label keeps its right edge.
    EXPECT_EQ(form->right->Left() + form->right->Width(), 400);
    EXPECT_EQ(form->right->Width(), reference.Width());
}

}  // namespace
