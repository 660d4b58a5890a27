#include "model/mproject.h"

namespace {

QString &exitCodeStore()
{
    static QString code;
    return code;
}

} // namespace

void MProject::set(const QString &group, const QString &name, const QString &value)
{
    // Panel files spell the group "BusinessManeger"; only that spelling is recognised.
    if (group == QLatin1String("Facility"))
        setFacility(name, value);
    else if (group == QLatin1String("BusinessManeger"))
        setPerson(m_businessManager, name, value);
    else if (group == QLatin1String("Engineer"))
        setPerson(m_engineer, name, value);
    else if (group == QLatin1String("Customer"))
        setCustomer(name, value);
    else if (group == QLatin1String("Comments"))
        setComment(name, value);
    else if (group == QLatin1String("ExitCode"))
        setExitPin(name, value);
}

void MProject::setFacility(const QString &name, const QString &value)
{
    if (name == QLatin1String("name"))
        m_facilityName = value == QLatin1String("None") ? QString() : value;
}

void MProject::setPerson(Person &person, const QString &name, const QString &value)
{
    if (name == QLatin1String("name"))
        person.name = value;
    else if (name == QLatin1String("email"))
        person.email = value;
    else if (name == QLatin1String("tel"))
        person.tel = value;
}

void MProject::setCustomer(const QString &name, const QString &value)
{
    if (name == QLatin1String("name"))
        m_customer.name = value;
    else if (name == QLatin1String("address"))
        m_customer.address = value;
    else if (name == QLatin1String("email"))
        m_customer.email = value;
    else if (name == QLatin1String("tel"))
        m_customer.tel = value;
}

void MProject::setComment(const QString &name, const QString &value)
{
    for (int i = 0; i < CommentCount; ++i) {
        if (name == QLatin1String("comment") + QString::number(i + 1)) {
            m_comments[i] = value;
            return;
        }
    }
}

void MProject::setExitPin(const QString &name, const QString &value)
{
    if (name == QLatin1String("exitPIN"))
        setExitCode(value);
}

QString MProject::infoText() const
{
    const QString blank = QStringLiteral("\n\n");
    return tr("Facility\n") + m_facilityName + blank + tr("Business Manager\n") +
           personText(m_businessManager) + blank + tr("Engineer\n") + personText(m_engineer) +
           blank + tr("Customer\n") + customerText(m_customer) + blank;
}

QString MProject::personText(const Person &person)
{
    return person.name + QLatin1Char('\n') + person.email + QLatin1Char('\n') + person.tel;
}

QString MProject::customerText(const Customer &customer)
{
    return customer.name + QLatin1Char('\n') + customer.address + QLatin1Char('\n') +
           customer.email + QLatin1Char('\n') + customer.tel;
}

QString MProject::exitCode()
{
    return exitCodeStore();
}

void MProject::setExitCode(const QString &code)
{
    exitCodeStore() = code;
}
