#include "ui/RollpathPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "ui/SpinField.h"

namespace rollpath {

namespace {

// The fields of each group, top to bottom.
struct Group {
    const char* title;
    int controls[3];
};

constexpr Group kGroups[] = {
    {"Marking", {1061, 1062, 1067}},
    {"Runway Exit", {1080, 1076, 1078}},
    {"Lighting", {1072, 1074, 0}},
};

std::string_view LabelOf(int control) {
    for (const IntegerField& f : RollpathPageModel::IntegerFieldTable()) {
        if (f.control == control) {
            return f.label;
        }
    }
    for (const DecimalField& f : RollpathPageModel::DecimalFieldTable()) {
        if (f.control == control) {
            return f.label;
        }
    }
    return {};
}

}  // namespace

CRollpathPage::CRollpathPage(const Settings& settings, QWidget* parent)
    : CFieldPage(model_, parent), model_(settings) {
    setObjectName(QStringLiteral("148"));
    auto* layout = new QVBoxLayout(this);
    // Every group's label column is as wide as the widest label of the page,
    // so that the fields of all groups stand in one column, each as wide as
    // its widest value.
    int labelWidth = 0;
    for (const Group& g : kGroups) {
        for (const int control : g.controls) {
            const std::string_view label = LabelOf(control);
            labelWidth = std::max(
                labelWidth, QLabel(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())))
                                .sizeHint()
                                .width());
        }
    }
    int fieldWidth = 0;
    std::vector<QGridLayout*> grids;
    for (const Group& g : kGroups) {
        auto* group = new QGroupBox(QString::fromUtf8(g.title), this);
        auto* grid = new QGridLayout(group);
        int row = 0;
        for (const int control : g.controls) {
            if (control != 0) {
                fieldWidth = std::max(
                    fieldWidth, AddField(grid, row++, control, LabelOf(control), true)->sizeHint().width());
            }
        }
        grid->setColumnMinimumWidth(0, labelWidth);
        grid->setColumnStretch(3, 1);
        grids.push_back(grid);
        layout->addWidget(group);
    }
    for (QGridLayout* grid : grids) {
        grid->setColumnMinimumWidth(1, fieldWidth);
    }
    layout->addStretch(1);
}

}  // namespace rollpath
