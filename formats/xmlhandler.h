#pragma once

#include <QString>
#include <QXmlDefaultHandler>

#include <array>

// Base of the SAX readers: remembers the names of the open elements so that a handler can ask
// what lies one or two levels above the current one.
class XmlHandler : public QXmlDefaultHandler
{
public:
    XmlHandler();
    ~XmlHandler() override;

    bool fatalError(const QXmlParseException &exception) override;
    QString errorString() const override;
    // Where and why the parse stopped; empty when it did not.
    qint64 errorLine() const { return m_errorLine; }
    QString errorMessage() const { return m_errorMessage; }

    // Trims and collapses tabs and line breaks but keeps the spaces inside a value exactly.
    static QString processText(const QString &text);

    static constexpr int StackSize = 12;

protected:
    // Elements deeper than StackSize are counted, not kept.
    void push(const QString &name);
    void pop();
    int depth() const { return m_depth; }
    // The name `levels` above the top (0 is the top itself); empty when that level is not kept.
    QString nameAt(int levels) const;
    QString top() const { return nameAt(0); }
    QString oneLevelUp() const { return nameAt(1); }
    QString twoLevelsUp() const { return nameAt(2); }

private:
    std::array<QString, StackSize> m_names;
    int m_depth = 0;
    QString m_errorString;
    qint64 m_errorLine = 0;
    QString m_errorMessage;
};
