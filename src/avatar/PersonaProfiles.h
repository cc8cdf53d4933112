#pragma once
// TPersonaProfiles: the strip of saved characters on the login window. Refresh loads every profile file
// of ProfilesDir; the characters stand side by side on the background picture, the selected one on the
// highlight, and the one under the mouse is labelled with its name. A click selects the hovered one.
#include "Image.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TPersonaInst;
class TPersonaLib;

// One saved character under its name.
struct TProfileEntry {
    QString Name;
    std::unique_ptr<TPersonaInst> Persona;
};

using TAddPersonaEvent = std::function<void(QObject *Sender, const QString &PersonaName)>;

class TPersonaProfiles : public TMxImage {
    Q_OBJECT
public:
    explicit TPersonaProfiles(QWidget *parent = nullptr);
    ~TPersonaProfiles() override;

    // The strip's background (JPEG); the paint box takes its size. Throws EFileError.
    void SetBGFileName(const QString &path);
    // The picture behind the selected character (BMP), made transparent by its bottom-left pixel.
    // Throws EFileError.
    void SetHiLiteName(const QString &path);

    // Frees every character, clears the selection (OnSelectPersona), then loads every "*.pr1" file of
    // ProfilesDir in name order, firing OnAddPersona for each. A file that cannot be read as a profile
    // is skipped and left on disk as it is.
    void Refresh();

    int Count() const { return static_cast<int>(FCharacters.size()); }
    const std::vector<TProfileEntry> &Characters() const { return FCharacters; }
    // The selected character, or nullptr.
    TPersonaInst *Selected() const;
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int index);
    int HoverIndex() const { return FHoverIndex; }
    void ClearHover();

    // Hover follows x alone: x div CellWidth, or -1 beyond the last character.
    void MouseMove(int x, int y);
    // Selects the hovered character and fires OnSelectPersona; nothing when none is hovered.
    void Click();

    QString ProfilesDir;
    TPersonaLib *Library = nullptr; // not owned
    int CellWidth = 36;
    int RowY = 30;

    std::function<void(QObject *Sender)> OnSelectPersona;
    TAddPersonaEvent OnAddPersona;

    TMxBitmap *Background() const { return FBackground.get(); }
    TMxBitmap *Highlight() const { return FHighlight.get(); }

protected:
    void PaintBoxMouseDown(int x, int y, Qt::MouseButton button) override;
    void PaintBoxMouseMove(int x, int y) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Draws the strip into the surface and asks for a repaint; the paint only copies it.
    void Repaint();
    void DrawHoverLabel(TMxCanvas &canvas) const;
    void ClearCharacters();

    std::vector<TProfileEntry> FCharacters;
    std::unique_ptr<TMxBitmap> FBackground;
    std::unique_ptr<TMxBitmap> FHighlight;
    int FHoverIndex = -1;
    int FSelectedIndex = -1;
};
