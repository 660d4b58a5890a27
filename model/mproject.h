#pragma once

#include <QCoreApplication>
#include <QString>

#include <array>

// The descriptive data of the open project and the program-wide exit code. Values stay until a
// later project overwrites them.
class MProject
{
    Q_DECLARE_TR_FUNCTIONS(MProject)

public:
    struct Person
    {
        QString name;
        QString email;
        QString tel;
    };

    struct Customer
    {
        QString name;
        QString address;
        QString email;
        QString tel;
    };

    static constexpr int CommentCount = 6;
    using Comments = std::array<QString, CommentCount>;

    MProject() = default;
    virtual ~MProject() = default;

    // One value of the project's information, by group and name as the panel file names them;
    // unknown groups and names are ignored.
    void set(const QString &group, const QString &name, const QString &value);

    QString infoText() const;

    const Person &businessManager() const { return m_businessManager; }
    const Person &engineer() const { return m_engineer; }
    const Customer &customer() const { return m_customer; }
    const Comments &comments() const { return m_comments; }
    const QString &facilityName() const { return m_facilityName; }

    // Empty when no project has set one.
    static QString exitCode();
    static void setExitCode(const QString &code);

private:
    void setFacility(const QString &name, const QString &value);
    static void setPerson(Person &person, const QString &name, const QString &value);
    void setCustomer(const QString &name, const QString &value);
    void setComment(const QString &name, const QString &value);
    static void setExitPin(const QString &name, const QString &value);

    static QString personText(const Person &person);
    static QString customerText(const Customer &customer);

    Person m_businessManager;
    Person m_engineer;
    Customer m_customer;
    Comments m_comments;
    QString m_facilityName;
};
