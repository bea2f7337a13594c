#pragma once

/// What a grid needs of the dialog it lives in: the placeholder control it
/// replaces and a way to ask the user for a line of text. The Qt dialogs
/// implement it with real windows; HiddenDialogHost implements it without
/// any window, for evaluation contexts and batch work.

#include "platform/Exports.h"
#include "platform/core/VtxString.h"

#include <map>

class Vtx_Spread;

struct Vtx_Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Vtx_Rect&) const = default;
};

class VTX_MODULE_API Vtx_DialogHost {
public:
    virtual ~Vtx_DialogHost() = default;
    /// The rectangle of placeholder control id relative to the dialog's
    /// window; false when the dialog has no such control.
    virtual bool placeholderRect(int id, Vtx_Rect& rect) const = 0;
    /// Destroys placeholder id and shows grid in rect with the same id.
    virtual bool replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) = 0;
    /// Asks for one line of text (title, prompt, default in text). False when
    /// the user cancels or nobody can answer; text is then unchanged.
    virtual bool askText(const Vtx_String& title, const Vtx_String& prompt, Vtx_String& text) = 0;
};

/// A dialog without a window: placeholders are declared with their
/// rectangles; text questions are answered from a preset answer, or
/// declined.
class VTX_MODULE_API HiddenDialogHost : public Vtx_DialogHost {
public:
    void addPlaceholder(int id, const Vtx_Rect& rect) { m_placeholders[id] = rect; }
    /// The answer to every text question; declined while none is set.
    void setTextAnswer(const Vtx_String& answer) {
        m_answer = answer;
        m_hasAnswer = true;
    }
    /// The grid that replaced placeholder id, or nullptr.
    Vtx_Spread* grid(int id) const;

    bool placeholderRect(int id, Vtx_Rect& rect) const override;
    bool replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) override;
    bool askText(const Vtx_String& title, const Vtx_String& prompt, Vtx_String& text) override;

private:
    std::map<int, Vtx_Rect> m_placeholders;
    std::map<int, Vtx_Spread*> m_grids;
    Vtx_String m_answer;
    bool m_hasAnswer = false;
};
