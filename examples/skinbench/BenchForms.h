#pragma once
// The skin bench: windows holding every toolkit control in several states
// (disabled, checked, focused, scrolled) with long captions in English,
// German and Chinese, each control with a stable Name, for painting tests
// and screenshots of a skin engine. TBenchForm holds the controls; it opens
// the MDI child (TBenchChild) in the MDI frame TBenchMdiForm, which must be
// the application's main form, and a plain dialog (TBenchDialog).
// TBenchFrame is a frame with its own resource, placed on TBenchForm.
#include "toolkit/Form.h"
#include "toolkit/Frame.h"

class TEdit;
class TButton;
class TListView;
class TTreeView;
class TStringGrid;

class TBenchFrame : public TFrame {
public:
    explicit TBenchFrame(TComponent* AOwner) : TFrame(AOwner) {}
    TEdit* EditFrame = nullptr;
    TButton* ButtonFrame = nullptr;
    static void Publish(TPublisher<TBenchFrame>& p);
};

class TBenchChild : public TForm {
public:
    explicit TBenchChild(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIChild); }
    static void Publish(TPublisher<TBenchChild>&) {}
};

class TBenchMdiForm : public TForm {
public:
    explicit TBenchMdiForm(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIForm); }
    TBenchChild* Child = nullptr;
    // Opens the MDI child (once the frame's window exists).
    void OpenChild();
    static void Publish(TPublisher<TBenchMdiForm>&) {}
};

class TBenchDialog : public TForm {
public:
    explicit TBenchDialog(TComponent* AOwner) : TForm(AOwner) {}
    void OkClick(TObject* Sender);
    void CancelClick(TObject* Sender);
    static void Publish(TPublisher<TBenchDialog>& p);
};

class TBenchForm : public TForm {
public:
    explicit TBenchForm(TComponent* AOwner) : TForm(AOwner) {}

    TStringGrid* StringGrid1 = nullptr;
    TListView* ListView1 = nullptr;
    TTreeView* TreeView1 = nullptr;
    TBenchFrame* BenchFrame1 = nullptr;
    TBenchMdiForm* MdiForm = nullptr;
    TBenchDialog* Dialog = nullptr;

    // The names of every control the resource places, in resource order.
    static const std::vector<std::wstring>& ControlNames();
    // Registers the bench's own classes (form resources name them).
    static void RegisterBenchClasses();

    void FormCreate(TObject* Sender);
    void OpenMdiClick(TObject* Sender);
    void OpenDialogClick(TObject* Sender);
    void ExitClick(TObject* Sender);
    static void Publish(TPublisher<TBenchForm>& p);
};
