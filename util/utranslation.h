#pragma once

#include <QLocale>
#include <QTranslator>

// The program's translation and Qt's own for one locale, installed on the application for as
// long as the object lives.
class UTranslation
{
public:
    UTranslation() = default;
    ~UTranslation();
    UTranslation(const UTranslation &) = delete;
    UTranslation &operator=(const UTranslation &) = delete;

    // The locale's languages in order of preference, English when none has a translation. False
    // when not even English loads; the program then runs untranslated.
    bool install(const QLocale &locale);
    // The language of the installed translation ("de_DE", "en_US"); empty when none is.
    QString language() const;

private:
    void remove();

    QTranslator m_program;
    QTranslator m_qt;
    bool m_installed = false;
    bool m_qtInstalled = false;
};
