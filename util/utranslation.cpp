#include "util/utranslation.h"

#include "util/logcategories.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {
const QString Folder = QStringLiteral(":/Desktop/Client/translators");
const QString English = Folder + QStringLiteral("/translate_en.qm");
} // namespace

UTranslation::~UTranslation()
{
    remove();
}

bool UTranslation::install(const QLocale &locale)
{
    remove();
    const bool matched =
        m_program.load(locale, QStringLiteral("translate"), QStringLiteral("_"), Folder);
    if (!matched && !m_program.load(English)) {
        qCDebug(lcApp) << "translator failed to load.";
        return false;
    }
    m_installed = QCoreApplication::installTranslator(&m_program);
    // Qt's texts only in the language the program speaks: an English fallback keeps Qt's own
    // English rather than mixing in the locale's.
    if (matched && m_qt.load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_qtInstalled = QCoreApplication::installTranslator(&m_qt);
    return m_installed;
}

QString UTranslation::language() const
{
    return m_installed ? m_program.language() : QString();
}

void UTranslation::remove()
{
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    if (m_installed)
        QCoreApplication::removeTranslator(&m_program);
    m_installed = m_qtInstalled = false;
}
