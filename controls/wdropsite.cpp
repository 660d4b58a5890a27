#include "controls/wdropsite.h"

#include "canvas/ccomposite.h"
#include "model/mmodel.h"
#include "util/logcategories.h"

WDropSite::WDropSite(QQuickItem *parent)
    : WWidget(parent)
{}

WDropSite::~WDropSite() = default;

void WDropSite::destroy()
{
    m_dropped.clear();
}

bool WDropSite::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    if (name == QLatin1String("text")) {
        m_acceptedText = value;
        setItemProperty("text", value);
        return true;
    }
    if (name == QLatin1String("child")) {
        bool ok = false;
        const quint64 id = value.toULongLong(&ok);
        m_childId = ok ? id : 0;
        return true;
    }
    return false;
}

void WDropSite::linkPass(int pass)
{
    const CComposite *panel = owner() ? owner()->parentComposite() : nullptr;
    if (pass != 1 || m_childId == 0 || !panel)
        return;
    for (int i = 0; i < panel->childCount(); ++i) {
        CControl *control = panel->child(i);
        if (control->id() == m_childId && control != owner()) {
            setDroppedControls({control});
            return;
        }
    }
    qCDebug(lcControls) << "WDropSite: no control with the id" << m_childId;
}

void WDropSite::dump() const
{
    WWidget::dump();
    qCDebug(lcControls) << "WDropSite holds" << droppedControls();
}

void WDropSite::setDroppedControls(const QList<CControl *> &controls)
{
    const bool wasOccupied = isOccupied();
    m_dropped.clear();
    for (CControl *control : controls)
        m_dropped.append(control);
    if (wasOccupied || isOccupied())
        Q_EMIT occupiedChanged();
}

QList<CControl *> WDropSite::droppedControls() const
{
    QList<CControl *> controls;
    for (const QPointer<CControl> &control : m_dropped) {
        if (control)
            controls.append(control);
    }
    return controls;
}

bool WDropSite::outputDrop(const QString &text, const QString &data)
{
    MModel *model = owner() ? owner()->model() : nullptr;
    return model && model->dropNode(this, text, data);
}

void WDropSite::deleteChild()
{
    clear();
}

void WDropSite::properties()
{
    const QList<CControl *> controls = droppedControls();
    if (!controls.isEmpty() && controls.constFirst()->widget())
        controls.constFirst()->widget()->showProperties();
    else
        showProperties();
}

QString WDropSite::getToolTip() const
{
    const QList<CControl *> controls = droppedControls();
    return controls.isEmpty() ? QString() : controls.constFirst()->toolTip();
}

void WDropSite::clear()
{
    if (!isOccupied())
        return;
    removeDropped();
    Q_EMIT occupiedChanged();
    if (MModel *model = owner() ? owner()->model() : nullptr)
        model->dropSiteChanged(this);
}

void WDropSite::removeDropped()
{
    for (const QPointer<CControl> &control : std::as_const(m_dropped)) {
        if (control && control->parentComposite())
            control->parentComposite()->takeChild(control);
    }
    m_dropped.clear();
}

QString WDropSite::getControlType() const
{
    const QList<CControl *> controls = droppedControls();
    return controls.isEmpty() ? QString() : controls.constFirst()->childKind();
}
