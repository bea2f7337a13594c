#include "designer/DesignCheck.h"

#include "designer/DesignFiles.h"
#include "designer/VtxDlgDesignerData.h"

#include "platform/core/BillPictures.h"
#include "platform/core/Files.h"
#include "platform/core/PropertiesList.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

/// How many designed controls a dialog gives window ids to (33000 to 33099).
constexpr std::size_t kDesignWindowIds = 100;

// A control of the file that could be read, with its rectangle as drawn.
struct ReadControl {
    int index = 0;
    Vtx_DesignerControl control;
    Vtx_DesignRect rect;
};

class Checker {
public:
    explicit Checker(const Vtx_String& path) : m_path(path) {}

    std::vector<DesignProblem> run();

private:
    void report(DesignCheck check, const Vtx_String& message, int index = -1, int type = -1,
                const Vtx_String& contents = {}) {
        m_problems.push_back({m_path, index, type, contents, check, message});
    }
    void report(DesignCheck check, const ReadControl& read, const Vtx_String& message) {
        report(check, message, read.index, read.control.type, read.control.contents);
    }
    void checkPicture();
    void readControls(const Vtx_PropertiesList& list, int count);
    void checkPlace(const ReadControl& read);
    void checkOverlaps();
    void checkComboList(const ReadControl& read);
    void checkNames(const ReadControl& read);

    Vtx_String m_path;
    Vtx_DlgDesignerData m_geometry; // pixel conversions at the picture's size
    int m_width = 0;
    int m_height = 0;
    std::vector<ReadControl> m_controls;
    std::vector<const ReadControl*> m_variables;
    std::vector<DesignProblem> m_problems;
};

Vtx_String number(double value) {
    return Vtx_String::fromInt(std::llround(value));
}

Vtx_String sizeText(double width, double height) {
    return number(width) + " x " + number(height);
}

Vtx_String rectText(const Vtx_DesignRect& rect) {
    return "(" + number(rect.left) + ", " + number(rect.top) + ") to (" + number(rect.right) +
           ", " + number(rect.bottom) + ")";
}

bool hasArea(const Vtx_DesignRect& rect) {
    return rect.width() > 0 && rect.height() > 0;
}

bool holds(const Vtx_DesignRect& outer, const Vtx_DesignRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// Where a control that shows a variable has the variable's name: nullptr
// for the types that show none. (Bolt, profile, array and cut controls name
// their items too, but an empty name is a valid item name there: a macro's
// one bolt pattern is commonly unnamed.)
const char* variablePlaceOf(Vtx_ControlType type) {
    if (type == ctVarEdit || type == ctVarCombo)
        return "contents";
    if (type == ctVarCheck)
        return "combo list";
    if (type == ctCalcButton1 || type == ctCalcButton2)
        return "first combo-list part";
    return nullptr;
}

// The variable a control shows (see variablePlaceOf).
Vtx_String boundName(const Vtx_DesignerControl& control) {
    if (control.type == ctVarCheck)
        return control.comboList.trimmed();
    if (control.type == ctCalcButton1 || control.type == ctCalcButton2)
        return control.calcPart1.trimmed();
    return control.contents.trimmed();
}

std::vector<DesignProblem> Checker::run() {
    Vtx_PropertiesList list;
    Vtx_String reason;
    if (!fileExists(m_path)) {
        report(DesignCheck::Unreadable, "the design file does not exist");
        return m_problems;
    }
    if (list.readFromFile(m_path, &reason) != eOk) {
        report(DesignCheck::Unreadable, "is not a design file: " + reason);
        return m_problems;
    }
    checkPicture();
    int count = 0;
    Vtx_String problem;
    if (!readDesignControlCount(list, count, problem))
        report(DesignCheck::Unreadable, problem);
    readControls(list, count);
    for (const ReadControl& read : m_controls) {
        checkPlace(read);
        checkComboList(read);
        checkNames(read);
    }
    checkOverlaps();
    // Dialogs give designed controls the window ids 33000 to 33099: the
    // controls beyond the hundredth are neither shown nor selectable.
    if (m_controls.size() > kDesignWindowIds)
        report(DesignCheck::TooManyControls,
               "has " + Vtx_String::fromInt(static_cast<int>(m_controls.size())) +
                   " controls; dialogs show the first " +
                   Vtx_String::fromInt(static_cast<int>(kDesignWindowIds)) + " only");
    std::stable_sort(
        m_problems.begin(), m_problems.end(),
        [](const DesignProblem& a, const DesignProblem& b) { return a.control < b.control; });
    return m_problems;
}

void Checker::checkPicture() {
    const Vtx_String picture = changeExtension(m_path, "bmp");
    if (!fileExists(picture)) {
        report(DesignCheck::Picture, "has no picture: " + picture + " does not exist");
        return;
    }
    if (!bitmapSize(picture, m_width, m_height) || m_width <= 0 || m_height <= 0) {
        m_width = m_height = 0;
        report(DesignCheck::Picture, picture + " is not a bitmap the designer can read");
        return;
    }
    m_geometry.attachBitmap(picture);
}

void Checker::readControls(const Vtx_PropertiesList& list, int count) {
    for (int i = 0; i < count; ++i) {
        const Vtx_String typeKey = "type" + Vtx_String::fromInt(i);
        Vtx_String typeText;
        int type = ctLabel;
        if (list.getProperty(typeKey, typeText) == eOk && !typeText.toInt(type))
            type = -1;
        Vtx_String contents;
        list.getProperty("contents" + Vtx_String::fromInt(i), contents);
        if (!isValidControlType(type)) {
            report(DesignCheck::UnknownType,
                   typeKey + " = \"" + typeText + "\" is not a control type (0 to 30)", i, type,
                   contents);
            continue;
        }
        ReadControl read;
        read.index = i;
        Vtx_String problem;
        if (!read.control.getFromPropList(list, i, &problem)) {
            report(DesignCheck::BadPosition, problem, i, type, contents);
            continue;
        }
        read.rect = m_geometry.drawRect(read.control);
        m_controls.push_back(read);
    }
}

void Checker::checkPlace(const ReadControl& read) {
    const Vtx_DesignRect& r = read.rect;
    if (!hasArea(r)) {
        report(DesignCheck::NoArea, read,
               "has no area: it is drawn " + sizeText(r.width(), r.height()) + " pixels");
        return;
    }
    if (m_width <= 0)
        return;
    const bool wholly = r.right <= 0 || r.bottom <= 0 || r.left >= m_width || r.top >= m_height;
    const bool partly = r.left < 0 || r.top < 0 || r.right > m_width || r.bottom > m_height;
    if (wholly || partly)
        report(DesignCheck::Outside, read,
               Vtx_String(wholly ? "lies outside" : "reaches outside") + " the picture (" +
                   sizeText(m_width, m_height) + "): it is drawn from " + rectText(r));
}

void Checker::checkOverlaps() {
    for (std::size_t j = 0; j < m_controls.size(); ++j) {
        const ReadControl& later = m_controls[j];
        if (!hasArea(later.rect))
            continue;
        for (std::size_t i = 0; i < j; ++i) {
            const ReadControl& earlier = m_controls[i];
            const Vtx_DesignRect& a = earlier.rect;
            const Vtx_DesignRect& b = later.rect;
            const double width = std::min(a.right, b.right) - std::max(a.left, b.left);
            const double height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
            if (!hasArea(a) || width <= 0 || height <= 0)
                continue;
            // A frame drawn around controls holds them; that is its purpose.
            if ((earlier.control.type == ctGroupBox && holds(a, b)) ||
                (later.control.type == ctGroupBox && holds(b, a)))
                continue;
            report(DesignCheck::Overlap, later,
                   "overlaps " +
                       designControlText(earlier.index, earlier.control.type,
                                         earlier.control.contents) +
                       " by " + sizeText(width, height) + " pixels");
        }
    }
}

void Checker::checkComboList(const ReadControl& read) {
    const Vtx_DesignerControl& control = read.control;
    if (control.comboList.isEmpty() || windowClassOf(control.type) != DesignWindowClass::ComboBox ||
        control.type == ctCutCombo)
        return;
    const Vtx_String target = control.comboListFile();
    if (control.type == ctBlockCombo) {
        if (!folderExists(target))
            report(DesignCheck::ComboList, read,
                   "the folder its combo list names does not exist: " + control.comboList);
    } else if (!fileExists(target)) {
        report(DesignCheck::ComboList, read,
               "the list file its combo list names does not exist: " + control.comboList);
    }
}

void Checker::checkNames(const ReadControl& read) {
    const char* place = variablePlaceOf(read.control.type);
    if (!place)
        return;
    const Vtx_String name = boundName(read.control);
    if (name.isEmpty()) {
        report(DesignCheck::MissingName, read,
               Vtx_String("names no variable (its ") + place + " is empty)");
        return;
    }
    if (read.control.type != ctVarEdit && read.control.type != ctVarCombo &&
        read.control.type != ctVarCheck)
        return;
    for (const ReadControl* earlier : m_variables)
        if (boundName(earlier->control).equal(name, false)) {
            report(DesignCheck::DuplicateVariable, read,
                   "binds the variable \"" + name + "\" that " +
                       designControlText(earlier->index, earlier->control.type,
                                         earlier->control.contents) +
                       " binds already");
            return;
        }
    m_variables.push_back(&read);
}

} // namespace

const char* designCheckName(DesignCheck check) {
    static constexpr std::array<const char*, 11> kNames{
        "unreadable",       "picture", "unknown-type", "bad-position",       "no-area",
        "outside",          "overlap", "combo-list",   "duplicate-variable", "missing-name",
        "too-many-controls"};
    return kNames[static_cast<std::size_t>(check)];
}

Vtx_String designControlText(int control, int type, const Vtx_String& contents) {
    const Vtx_String kind =
        isValidControlType(type)
            ? Vtx_String(controlTypeName(type))
            : (type < 0 ? Vtx_String("bad type") : "type " + Vtx_String::fromInt(type));
    return "control " + Vtx_String::fromInt(control) + " (" + kind + " \"" + contents + "\")";
}

Vtx_String DesignProblem::controlText() const {
    return designControlText(control, type, contents);
}

Vtx_String DesignProblem::text() const {
    return file + ": " + (control < 0 ? Vtx_String() : controlText() + ": ") + message;
}

std::vector<DesignProblem> checkDesign(const Vtx_String& path) {
    return Checker(path).run();
}
