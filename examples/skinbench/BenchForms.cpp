#include "BenchForms.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/ListView.h"
#include "toolkit/StringGrid.h"
#include "toolkit/TreeView.h"

void TBenchFrame::Publish(TPublisher<TBenchFrame>& p) {
    p.Field(L"EditFrame", &TBenchFrame::EditFrame);
    p.Field(L"ButtonFrame", &TBenchFrame::ButtonFrame);
}

void TBenchMdiForm::OpenChild() {
    if (!Child) Child = TForm::Create<TBenchChild>(this);
}

void TBenchDialog::Publish(TPublisher<TBenchDialog>& p) {
    p.Method(L"OkClick", &TBenchDialog::OkClick);
    p.Method(L"CancelClick", &TBenchDialog::CancelClick);
}
void TBenchDialog::OkClick(TObject*) { Hide(); }
void TBenchDialog::CancelClick(TObject*) { Hide(); }

void TBenchForm::RegisterBenchClasses() {
    TFrame::RegisterFrameClass<TBenchFrame>();
    RegisterPublishedClass<TBenchChild>();
    RegisterPublishedClass<TBenchMdiForm>();
    RegisterPublishedClass<TBenchDialog>();
    RegisterPublishedClass<TBenchForm>();
}

void TBenchForm::Publish(TPublisher<TBenchForm>& p) {
    p.Field(L"StringGrid1", &TBenchForm::StringGrid1);
    p.Field(L"ListView1", &TBenchForm::ListView1);
    p.Field(L"TreeView1", &TBenchForm::TreeView1);
    p.Field(L"BenchFrame1", &TBenchForm::BenchFrame1);
    p.Method(L"FormCreate", &TBenchForm::FormCreate);
    p.Method(L"OpenMdiClick", &TBenchForm::OpenMdiClick);
    p.Method(L"OpenDialogClick", &TBenchForm::OpenDialogClick);
    p.Method(L"ExitClick", &TBenchForm::ExitClick);
}

const std::vector<std::wstring>& TBenchForm::ControlNames() {
    static const std::vector<std::wstring> names{
        L"GroupEnglish", L"ButtonRead", L"ButtonDisabled", L"BitBtnSave", L"SpeedOn", L"SpeedOff", L"SpeedFlat",
        L"CheckChecked", L"CheckGrayed", L"GroupGerman", L"LabelGerman", L"EditFocused", L"EditDisabled",
        L"MemoGerman", L"ComboGerman", L"GroupChinese", L"ComboList", L"ComboSimple", L"ListChinese",
        L"CheckListChinese", L"RadioGroupMode", L"PanelRadios", L"RadioOn", L"RadioOff", L"Lamp1", L"Lamp2",
        L"Lamp3", L"LabelLamps", L"ScrollBox1", L"LabelInBox", L"ButtonInBox", L"CheckInBox", L"EditInBox",
        L"StringGrid1", L"ListView1", L"TreeView1", L"MediaPlayer1", L"TabSet1", L"HeaderControl1", L"ScrollBarH",
        L"ScrollBarV", L"ProgressBar1", L"TrackBar1", L"EditSpin", L"UpDown1", L"PickerDate", L"PickerTime",
        L"ButtonMdi", L"ButtonDialog", L"TabControl1", L"PageControl1", L"TabSheetDevice", L"BenchFrame1",
        L"PanelLong", L"TabSheetTimer", L"LabelTimer", L"ToolBar1", L"ToolConnect", L"ToolRead", L"ToolDisabled",
        L"GroupLong", L"LabelLongEn", L"LabelLongDe", L"LabelLongZh", L"CheckLongZh", L"ButtonLongDe",
        L"StatusBar1"};
    return names;
}

// Contents that form resources do not carry (grid cells, list items, tree
// nodes) and the scrolled states.
void TBenchForm::FormCreate(TObject*) {
    const wchar_t* heads[] = {L"", L"Unit", L"Gerät", L"设备", L"Delay", L"延时"};
    for (int c = 0; c < StringGrid1->ColCount(); ++c) StringGrid1->SetCells(c, 0, heads[c]);
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        StringGrid1->SetCells(0, r, L"CH" + std::to_wstring(r));
        StringGrid1->SetCells(1, r, std::to_wstring(r));
        StringGrid1->SetCells(2, r, r % 2 ? L"ein" : L"aus");
        StringGrid1->SetCells(3, r, r % 2 ? L"开" : L"关");
        StringGrid1->SetCells(4, r, std::to_wstring(r * 5) + L" s");
        StringGrid1->SetCells(5, r, std::to_wstring(r) + L" 秒");
    }
    StringGrid1->SetTopRow(4);  // scrolled
    StringGrid1->SetRow(5);
    StringGrid1->SetCol(2);

    const wchar_t* units[][2] = {{L"Unit 1 / Gerät 1", L"在线 online"}, {L"Unit 2 / Gerät 2", L"离线 offline"},
                                 {L"Unit 3 / Gerät 3", L"锁定 gesperrt"}};
    for (auto& u : units) {
        TListItem* item = ListView1->Items().Add();
        item->SetCaption(u[0]);
        item->SubItems().Add(u[1]);
    }

    TTreeNode* root = TreeView1->Items().Add(nullptr, L"Sequencers / Sequenzer / 时序器");
    for (const wchar_t* name : {L"Stage left / Bühne links", L"舞台右侧", L"Foyer"})
        TreeView1->Items().AddChild(root, name);
    root->Expand();
    TreeView1->Items().Add(nullptr, L"Timer / Zeitplan / 定时");
}

// MDI children live in the application's main form, so the bench's MDI
// frame is the main form (main.cpp makes it first).
void TBenchForm::OpenMdiClick(TObject*) {
    MdiForm = dynamic_cast<TBenchMdiForm*>(Application->MainForm());
    if (!MdiForm) return;
    MdiForm->Show();
    MdiForm->OpenChild();
}

void TBenchForm::OpenDialogClick(TObject*) {
    if (!Dialog) Dialog = TForm::Create<TBenchDialog>(this);
    Dialog->Show();
}

void TBenchForm::ExitClick(TObject*) { Close(); }
