// The real program killed in the middle of editing: the next start offers the
// unsaved work, restores it exactly under the original path, and a clean close
// leaves no copy behind. Both runs are driven by a test script (QC_TEST_SCRIPT).

#include "document/cp932.h"
#include "support/tempdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <filesystem>

class CrashRecoveryTest : public QObject
{
    Q_OBJECT

    qc::test::TempDir m_dir;

    QString path(const char* name) const { return QString::fromStdString(m_dir.file(name)); }

    QProcess* startQc(const QString& script, const QStringList& args)
    {
        auto* qc = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("HOME"), QString::fromStdString(m_dir.path()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QC_TEST_SCRIPT"), script);
        qc->setProcessEnvironment(env);
        qc->start(QStringLiteral(QC_BINARY),
                  QStringList{QStringLiteral("--install-dir"), path("install")} + args);
        return qc;
    }

    static void writeScript(const QString& file, const QString& text)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

    // The copies in the recovery folders below the test's data folder.
    QStringList copies(const QString& suffix) const
    {
        QStringList found;
        QDirIterator it(path("data"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            if (f.contains(QStringLiteral("/recovery/")) && f.endsWith(suffix)) found << f;
        }
        return found;
    }

    static QByteArray bytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void killedEditIsOfferedAndRestoredExactly()
    {
        std::filesystem::copy(std::string(QC_SOURCE_DIR) + "/data/install", m_dir.file("install"),
                              std::filesystem::copy_options::recursive);
        const QString log = path("log.bhc");
        QVERIFY(QFile::copy(QStringLiteral(QC_SOURCE_DIR "/examples/sample.bhc"), log));
        const QByteArray original = bytes(log);

        // First run: two header edits (the second undone and done again), then the kill.
        writeScript(path("edit.txt"), QStringLiteral("type surveyName 第三次土壌調査\n"
                                                     "command 8\n"
                                                     "type boringName Ｂ－２\n"
                                                     "command 8\n"
                                                     "command undo\n"
                                                     "command redo\n"
                                                     "write %1\n"
                                                     "wait-recovery\n"
                                                     "say ready\n")
                                          .arg(path("expected.bhc")));
        QProcess* first = startQc(path("edit.txt"), {log});
        QVERIFY(first->waitForStarted(10000));
        QByteArray out;
        // The copy is due 5 s after the last change; well before the minute's periodic copy.
        QTRY_VERIFY_WITH_TIMEOUT((out += first->readAllStandardOutput()).contains("ready"), 30000);
        first->kill(); // SIGKILL: no close, no cleanup
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(first->exitStatus(), QProcess::CrashExit);

        QCOMPARE(bytes(log), original); // the user's file is untouched
        QCOMPARE(copies(QStringLiteral(".bhc")).size(), 1);
        const QByteArray expected = bytes(path("expected.bhc"));
        for (const char* typed : {"第三次土壌調査", "Ｂ－２"})
            QVERIFY2(expected.contains(QByteArray::fromStdString(qc::cp932::fromUtf8(typed))), typed);

        // Second run: restore, compare, save under the original path, close cleanly.
        writeScript(path("restore.txt"), QStringLiteral("answer yes\n"
                                                        "write %1\n"
                                                        "command save\n"
                                                        "close\n")
                                             .arg(path("restored.bhc")));
        QProcess* second = startQc(path("restore.txt"), {});
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        const QString err = QString::fromUtf8(second->readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("question: 前回異常終了時の未保存データがあります…")),
                 qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("ファイル: log.bhc")), qPrintable(err));
        QCOMPARE(bytes(path("restored.bhc")), expected);
        QCOMPARE(bytes(log), expected); // saved where it came from
        QVERIFY(bytes(log) != original);
        QCOMPARE(copies(QStringLiteral(".bhc")), QStringList());
        QCOMPARE(copies(QStringLiteral(".lock")), QStringList());
    }
};

QTEST_MAIN(CrashRecoveryTest)
#include "crashrecovery_test.moc"
