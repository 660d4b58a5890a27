#include "controls/wdroplist.h"

#include "controls/vmodemanager.h"
#include "formats/uarchive.h"
#include "formats/xmlwriter.h"
#include "hardware/hblock.h"
#include "hardware/hparametersetlist.h"
#include "util/logcategories.h"

#include <QFile>
#include <QMetaMethod>
#include <QQmlEngine>

namespace {

const QString ParameterSetListTitle = QStringLiteral("PSetList");
const QString ItemAndIndexes = QStringLiteral("ItemAndIndexes");

QList<int> toValues(const QStringList &texts)
{
    QList<int> values;
    values.reserve(texts.size());
    for (const QString &text : texts)
        values.append(text.trimmed().toInt());
    return values;
}

QString joinValues(const QList<int> &values)
{
    QStringList texts;
    for (int value : values)
        texts.append(QString::number(value));
    return texts.join(QLatin1Char(','));
}

} // namespace

WDropList::WDropList(QQuickItem *parent)
    : WWidget(parent)
{}

WDropList::~WDropList() = default;

void WDropList::destroy()
{
    closePopup();
}

void WDropList::configure(const CAttributes *)
{
    if (transform() && m_queryIndex >= 1)
        transform()->setQueryIndices(m_queryIndex, -1, true);
}

bool WDropList::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    // Without its texts a list read back would have no entries.
    if (m_textsFromPanel)
        writer.writeText(QStringLiteral("msg"), m_entryTexts.join(QLatin1Char(',')));
    writer.writeText(QStringLiteral("index"), joinValues(m_entryValues));
    writer.writeInt(QStringLiteral("hasBorder"), itemProperty("hasBorder").toInt());
    writer.writeText(QStringLiteral("align"),
                     alignmentName(itemProperty("horizontalAlignment").toInt()));
    writer.writeInt(QStringLiteral("index1ForQuery"), m_queryIndex);
    writer.writeBool(QStringLiteral("autoReset"), m_autoReset);
    writer.writeText(QStringLiteral("sourceList"), m_sourceList);
    writer.writeEndElement();
    return true;
}

bool WDropList::processProperty(const QString &name, const QString &value)
{
    if (WWidget::processProperty(name, value))
        return true;
    const bool on = value == QLatin1String("true");
    if (name == QLatin1String("msg")) {
        m_textsFromPanel = true;
        setEntries(value.split(QLatin1Char(',')), m_entryValues);
    } else if (name == QLatin1String("index")) {
        m_entryValues = toValues(value.split(QLatin1Char(','), Qt::SkipEmptyParts));
    } else if (name == QLatin1String("file")) {
        loadFile(value);
    } else if (name == QLatin1String("item")) {
        if (on)
            m_source = Source::Item;
    } else if (name == QLatin1String("group")) {
        if (on)
            m_source = Source::Group;
    } else if (name == QLatin1String("node")) {
        m_source = Source::Node;
        m_nodeList = value;
    } else if (name == QLatin1String("sourceList")) {
        m_sourceList = value;
        if (!value.isEmpty())
            m_source = Source::SourceList;
    } else if (name == QLatin1String("hasBorder")) {
        setItemProperty("hasBorder", value.toInt());
    } else if (name == QLatin1String("align")) {
        setItemProperty("horizontalAlignment", horizontalAlignment(value, Qt::CaseInsensitive));
    } else if (name == QLatin1String("index1ForQuery")) {
        m_queryIndex = value.toInt();
    } else if (name == QLatin1String("autoReset")) {
        m_autoReset = on;
    } else {
        return false;
    }
    return true;
}

void WDropList::updateFromDevice()
{
    if (!transform())
        return;
    // A word or an empty text from the device names no entry; it used to read as value 0.
    bool number = false;
    transform()->replyText().toInt(&number);
    if (!number) {
        if (!m_refusing)
            qCWarning(lcControls) << "Drop list ignored a device value that is not a number:"
                                  << transform()->replyText();
        m_refusing = true;
        return;
    }
    m_refusing = false;
    const int value = transform()->reply(static_cast<int *>(nullptr));
    setReady(false);
    const int index = isParameterSetList() ? value - 1 : indexOfValue(value);
    if (index < 0 || index >= m_entryCount)
        m_currentIndex = -1; // what is shown stays; the device is somewhere the list does not name
    else if (showDeviceValue("currentIndex", index, m_currentIndex))
        setItemProperty("currentText", m_entryTexts.at(index));
    setReady(true);
}

void WDropList::setTitle(const QString &text)
{
    if (text == m_title)
        return;
    m_title = text;
    emit titleChanged(m_title);
}

void WDropList::setNode(HNode *node)
{
    WWidget::setNode(node);
    loadNodeEntries();
}

bool WDropList::isParameterSetList() const
{
    return node() && node()->title() == ParameterSetListTitle;
}

void WDropList::outputCurrentIndex(int index)
{
    if (!quickItem() || isUpdating() || index < 0 || index >= m_entryCount)
        return;
    select(index);
    setItemProperty("currentText", m_entryTexts.at(index));
    setItemProperty("currentIndex", index);
}

void WDropList::popupList(QObject *pObject)
{
    if (!pObject)
        return;
    closePopup();
    m_popup = pObject;
    // Deleted when it closes, whatever the script engine thinks of it.
    QQmlEngine::setObjectOwnership(pObject, QQmlEngine::CppOwnership);
    pObject->setParent(this);
    VModeManager *modes = VModeManager::instance();
    if (auto *item = qobject_cast<QQuickItem *>(pObject); item && modes->canvasItem())
        item->setParentItem(modes->canvasItem());
    modes->setModalObject(pObject);

    const QMetaObject *popupMeta = pObject->metaObject();
    const int signal = popupMeta->indexOfSignal("listClick(int)");
    const int slot = metaObject()->indexOfSlot("listSelect(int)");
    if (signal < 0)
        qCWarning(lcControls) << "WDropList::popupList: the pop-up has no listClick(int)";
    else
        connect(pObject, popupMeta->method(signal), this, metaObject()->method(slot));
    pObject->setProperty("model", m_entryTexts);
    pObject->setProperty("index", m_currentIndex);
}

void WDropList::listSelect(int index)
{
    outputCurrentIndex(index);
    closePopup();
}

void WDropList::select(int index)
{
    // Another list leaves an unchanged choice alone; a preset is recalled again.
    if (index == m_currentIndex && !isParameterSetList())
        return;
    if (index < 0 || index >= m_entryCount)
        return;
    m_currentIndex = index;
    const int value = isParameterSetList() && m_queryIndex == 2 ? index + 1 : valueAt(index);
    sendToDevice(value);
}

void WDropList::setEntries(const QStringList &texts, const QList<int> &values)
{
    m_entryTexts = texts;
    m_entryValues = values;
    m_entryCount = int(texts.size());
}

void WDropList::loadNodeEntries()
{
    auto *block = qobject_cast<HBlock *>(node());
    auto *sets = qobject_cast<HParameterSetList *>(node());
    QStringList texts;
    QList<int> values;
    switch (m_source) {
    case Source::Panel:
        return;
    case Source::Item:
    case Source::SourceList:
        if (block)
            texts = block->takeItemList();
        break;
    case Source::Group:
        if (sets)
            texts = sets->setNames();
        break;
    case Source::Node:
        if (m_nodeList == ItemAndIndexes && sets) {
            texts = sets->setNames();
            values = sets->setIds();
        } else if (m_nodeList == ItemAndIndexes && block) {
            texts = block->takeItemList();
        } else if (m_nodeList == QLatin1String("inputLabels") && node()) {
            texts = node()->inputLabels();
        } else if (m_nodeList == QLatin1String("outputNames") && node()) {
            texts = node()->outputNames();
        } else {
            qCDebug(lcControls) << "WDropList: no node list" << m_nodeList << "on" << node();
        }
        break;
    }
    // A list already handed to another control leaves this one as it was.
    if (!texts.isEmpty())
        setEntries(texts, values);
}

void WDropList::loadFile(const QString &name)
{
    QFile file(UArchive::instance()->findFile(name));
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCWarning(lcControls) << "WDropList: cannot read the list file" << name;
        return;
    }
    QStringList texts;
    QList<int> values;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        texts.append(fields.first().trimmed());
        values.append(fields.size() > 1 ? fields.at(1).toInt() : int(texts.size()));
    }
    setEntries(texts, values);
}

void WDropList::closePopup()
{
    if (!m_popup)
        return;
    VModeManager *modes = VModeManager::instance();
    if (modes->modalObject() == m_popup)
        modes->setModalObject(nullptr);
    // Usually called from the pop-up's own signal.
    m_popup->deleteLater();
    m_popup = nullptr;
}

int WDropList::valueAt(int index) const
{
    return index < m_entryValues.size() ? m_entryValues.at(index) : index + 1;
}

int WDropList::indexOfValue(int value) const
{
    for (int index = 0; index < m_entryCount; ++index) {
        if (valueAt(index) == value)
            return index;
    }
    return -1;
}
