#include "controls/wcomboselection.h"

WComboSelection::WComboSelection(QQuickItem *parent)
    : WWidget(parent)
    , m_comboColors({QStringLiteral("crimson"), QStringLiteral("orange"), QStringLiteral("yellow"),
                     QStringLiteral("lime"), QStringLiteral("skyblue"), QStringLiteral("orchid"),
                     QStringLiteral("sienna")})
{}

WComboSelection::~WComboSelection() = default;
