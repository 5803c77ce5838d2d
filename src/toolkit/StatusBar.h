#pragma once
// Status bar over the system msctls_statusbar32, keeping the bounds it is
// given (no automatic docking). Panels are text parts with widths; the last
// panel reaches the right edge.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/WinControl.h"

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TObject {
public:
    explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel b);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle s);
    int Index() const;

private:
    TStatusBar* bar_;
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
    TStatusPanel* Add();
    int Count() const { return static_cast<int>(panels_.size()); }
    TStatusPanel* Items(int index) const;
    void Delete(int index);
    void Clear();

private:
    TStatusBar* bar_;
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

using TDrawPanelEvent = TMethod<void(TStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);

    TStatusPanels& Panels() { return panels_; }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    const std::wstring& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& text);
    bool SizeGrip() const { return sizeGrip_; }
    // Whether the form holding the bar can be resized (no form: assumed so).
    bool ParentFormSizeable() const;
    void SetSizeGrip(bool v);

    TDrawPanelEvent OnDrawPanel;

    // Pushes the panels (parts, texts) to the window.
    void UpdatePanels();
    void UpdatePanelText(int index);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override { UpdatePanels(); }
    bool ClicksOnMouseUp() const override { return false; }

private:
    TStatusPanels panels_{this};
    bool simplePanel_ = false;
    std::wstring simpleText_;
    bool sizeGrip_ = true;
};
