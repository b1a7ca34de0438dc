#pragma once
#include <QString>

namespace quorin {

// The main window's entry and result fields Text1(0) .. Text1(17) as text, by
// their designed indexes, and the drag label beside them. The commands of both windows read and
// write them through this, never through the main window itself.
class MainFields {
public:
    static constexpr int count = 18;
    // "" for an index outside 0 .. 17.
    virtual QString fieldText(int index) const = 0;
    // Ignored for an index outside 0 .. 17.
    virtual void setFieldText(int index, const QString& text) = 0;
    // At the end of the field's text, no line break added.
    void appendFieldText(int index, const QString& text) {
        setFieldText(index, fieldText(index) + text);
    }
    // The label Label1(14) beside the fields ("阻力为 ="), which every plot
    // hides when it is done.
    virtual void hideDragLabel() = 0;

protected:
    ~MainFields() = default;
};

} // namespace quorin
