#include "support/TestRegistry.h"

#include "common/Errors.h"
#include "forms/ComponentStream.h"
#include "forms/FormText.h"

#include <QtTest>

using namespace kvt;

namespace {

// The bytes of a form "F: TForm1" with the given children bytes (each a whole record).
QByteArray formBytes(const QByteArray& properties, const QByteArray& children = {})
{
    return QByteArray("TPF0") + "\x06TForm1\x01" "F" + properties + QByteArray(1, '\0') + children + QByteArray(1, '\0');
}

QByteArray le32(qint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(quint32(v) >> (8 * i));
    return b;
}

// A text form that uses every value kind, prefix flags, child positions, nesting and trailing bytes.
const char* const kEveryKind = R"(object Station: TStationForm
  Caption = 'Насосная №1 ''Север'''
  Tag = 0
  I8 = -128
  I16 = 1000
  I32 = -100000
  I64 = 5000000000
  SmallIn16 = int16(5)
  SmallIn32 = int32(-1)
  SmallIn64 = int64(7)
  X = 1.5
  XRaw = extended($0000000000000000FF7F)
  S = single(0.1)
  SRaw = single($0000C07F)
  D = date(45000.25)
  C = currency(-12.3456)
  Str = 'a'#0#13#10'b'#152
  Id = clWhite
  IdOdd = ident('end')
  F = False
  T = True
  B = {000102FF}
  Style = [fsBold, fsItalic]
  EmptySet = []
  Long = lstring('short but long')
  N = nil
  W = wstring('Привет'#55357)
  U = utf8('ок')
  UBad = utf8({FF00})
  Items = <
    item [int16(3)]
      Text = 'x'
    end
    item
    end>
  List = ('a' 'b' (1 (2)) [])
  object ComLed1: TComLed flags 2 position int16(3)
    Kind = lkGreenLight
  end
  object Panel1: TPanel flags 5
    object Label1: TLabel flags 0
    end
  end
end
trailing {DEAD}
)";

} // namespace

class ComponentStreamTest : public QObject {
    Q_OBJECT
private slots:
    void everyKindRoundTrips()
    {
        const ComponentStream fromText = FormFromText(QString::fromUtf8(kEveryKind));
        const QByteArray bytes = WriteComponentStream(fromText);
        const ComponentStream read = ReadComponentStream(bytes);
        QCOMPARE(WriteComponentStream(read), bytes);
        const QString text = FormToText(read);
        QCOMPARE(WriteComponentStream(FormFromText(text)), bytes);
        // The text is stable: printing what it parses to gives it again.
        QCOMPARE(FormToText(FormFromText(text)), text);

        const StreamRecord& root = *read.root;
        QCOMPARE(root.property("Caption")->value.text(), u"Насосная №1 'Север'"_qs);
        QCOMPARE(root.property("I16")->value.kind, ValueKind::Int16);
        QCOMPARE(root.property("SmallIn64")->value.kind, ValueKind::Int64);
        QCOMPARE(root.property("I64")->value.integer, 5000000000LL);
        QCOMPARE(root.property("C")->value.integer, -123456LL);
        QCOMPARE(root.property("Str")->value.bytes, QByteArray("a\0\r\nb\x98", 6));
        QCOMPARE(root.property("W")->value.units.size(), 7);
        QCOMPARE(root.property("Items")->value.collection.size(), size_t(2));
        QCOMPARE(root.children.size(), size_t(2));
        QCOMPARE(root.children[0]->flags, quint8(2));
        QCOMPARE(root.children[0]->childPosition->integer, 3);
        QCOMPARE(root.children[1]->children[0]->hasPrefix, true);
        QCOMPARE(read.trailing, QByteArray("\xDE\xAD"));
        QCOMPARE(bytes.left(4), QByteArray("TPF0"));
    }

    // Integers are stored little-endian in the width of their kind.
    void binaryLayout()
    {
        const QByteArray bytes = WriteComponentStream(FormFromText(u"object F: TForm1\n  A = 1000\n  B = -2\nend"_qs));
        QCOMPARE(bytes, formBytes(QByteArray("\x01" "A" "\x03\xE8\x03" "\x01" "B" "\x02\xFE", 9)));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<qint64>("offset");

        QTest::newRow("wrong signature") << QByteArray("TPF1\x06TForm1\x01" "F\0\0", 15) << u"signature"_qs << qint64(0);
        QTest::newRow("empty file") << QByteArray() << u"signature"_qs << qint64(0);
        QTest::newRow("unknown class") << formBytes({}, QByteArray("\x07TButton\x02" "B1\0\0", 13))
                                       << u"unknown class name 'TButton'"_qs << qint64(14);
        QTest::newRow("truncated") << formBytes({}).left(14) << u"truncated"_qs << qint64(14);
        QTest::newRow("binary length past end")
            << formBytes(QByteArray("\x04" "Data" "\x0A", 6) + le32(1000) + "abc") << u"runs past the end"_qs << qint64(19);
        QTest::newRow("absurd wide string")
            << formBytes(QByteArray("\x01" "W" "\x12", 3) + le32(0x40000000)) << u"runs past the end"_qs << qint64(16);
        QTest::newRow("negative length")
            << formBytes(QByteArray("\x01" "S" "\x0C", 3) + le32(-5)) << u"negative length"_qs << qint64(16);
        QTest::newRow("unknown value kind") << formBytes(QByteArray("\x01" "K" "\x15", 3)) << u"unknown value kind 21"_qs
                                            << qint64(15);
        QTest::newRow("end marker as value") << formBytes(QByteArray("\x01" "K" "\x00", 3)) << u"end marker"_qs << qint64(15);
        QTest::newRow("collection item without list marker")
            << formBytes(QByteArray("\x01" "C" "\x0E\x02\x05\x07", 6)) << u"list marker"_qs << qint64(18);
        QTest::newRow("child position not an integer")
            << formBytes({}, QByteArray("\xF2\x06" "\x02" "ab", 5)) << u"child position must be an integer"_qs << qint64(15);
        QByteArray deep = QByteArray("\x01" "L", 2);
        for (int i = 0; i < 100; ++i)
            deep += '\x01';
        QTest::newRow("nesting too deep") << formBytes(deep) << u"nesting deeper"_qs << qint64(80);
    }

    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(qint64, offset);
        try {
            ReadComponentStream(bytes);
            QFAIL("the stream was accepted");
        } catch (const FormatError& error) {
            QVERIFY2(error.message().contains(problem), qPrintable(error.message()));
            QCOMPARE(error.offset(), offset);
            QVERIFY(error.message().contains(QStringLiteral("offset %1").arg(offset)));
        }
    }

    // Every cut of a valid file, however short, is refused as a format error.
    void everyTruncationIsRefused()
    {
        const QByteArray bytes = WriteComponentStream(FormFromText(QString::fromUtf8(kEveryKind)));
        const qsizetype withoutTrailing = bytes.size() - 2;
        for (qsizetype length = 0; length < withoutTrailing; ++length) {
            bool refused = false;
            try {
                ReadComponentStream(bytes.left(length));
            } catch (const FormatError&) {
                refused = true;
            }
            QVERIFY2(refused, qPrintable(QStringLiteral("cut at %1 accepted").arg(length)));
        }
    }

    void acceptedClasses_data()
    {
        QTest::addColumn<QByteArray>("className");
        QTest::addColumn<bool>("accepted");
        for (const char* name : {"TPanel", "TLabel", "TImage", "TSpeedButton", "TComLed", "TRbPanel", "TStaticText",
                                 "TSpinEdit", "TTabSet", "TMaskEdit", "TEdit", "TMemo", "TRbProgressBar", "TScrollBox",
                                 "TSplitter", "TTreeView", "TValueListEditor", "TTimer", "TImageList", "TPopupMenu",
                                 "TMainMenu", "TMenuItem", "TComPort", "TDatabase", "TTable", "TDataSource", "TQuery",
                                 "TSmallintField", "TStringField", "TMemoField", "TApplicationEvents"})
            QTest::newRow(name) << QByteArray(name) << true;
        QTest::newRow("TButton") << QByteArray("TButton") << false;
        QTest::newRow("case matters") << QByteArray("tpanel") << false;
        QTest::newRow("TForm") << QByteArray("TForm") << false;
    }

    void acceptedClasses()
    {
        QFETCH(QByteArray, className);
        QFETCH(bool, accepted);
        QCOMPARE(IsAcceptedComponentClass(className), accepted);
    }

    // Property names the model does not know are kept and skipped by their kind.
    void unknownPropertiesAreSkipped()
    {
        const ComponentStream stream = FormFromText(
            u"object F: TForm1\n object P: TPanel\n  Whatever = <item Deep = ('x' [a] {00}) end>\n"
            u"  OnClick = PanelClick\n  Caption = 'ok'\n end\nend"_qs);
        const ComponentStream read = ReadComponentStream(WriteComponentStream(stream));
        QCOMPARE(read.root->children[0]->property("Caption")->value.text(), u"ok"_qs);
    }

    // Every sample form: binary -> text -> binary gives the same bytes.
    void sampleFormsRoundTrip()
    {
        const QDir folder(qEnvironmentVariable("KVT_BINARY_DIR") + u"/examples/forms"_qs);
        const QStringList files = folder.entryList({u"*.kof"_qs}, QDir::Files);
        QVERIFY(files.size() >= 3);
        for (const QString& name : files) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const ComponentStream stream = ReadComponentStream(bytes);
            QCOMPARE(WriteComponentStream(stream), bytes);
            QCOMPARE(WriteComponentStream(FormFromText(FormToText(stream))), bytes);
        }
    }

    void textErrors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing end") << u"object F: TForm1\n  A = 1\n"_qs << u"line 3"_qs;
        QTest::newRow("bad value") << u"object F: TForm1\n  A = =\nend"_qs << u"line 2, column 7: value expected"_qs;
        QTest::newRow("int8 overflow") << u"object F: TForm1\n  A = int8(300)\nend"_qs << u"does not fit"_qs;
        QTest::newRow("odd hex") << u"object F: TForm1\n  A = {ABC}\nend"_qs << u"whole bytes"_qs;
        QTest::newRow("not cp1251") << u"object F: TForm1\n  A = '漢'\nend"_qs << u"Windows-1251"_qs;
        QTest::newRow("unterminated string") << u"object F: TForm1\n  A = 'abc\nend"_qs << u"closing quote"_qs;
        QTest::newRow("text after the form") << u"object F: TForm1\nend\nA = 1"_qs << u"after the end"_qs;
        QTest::newRow("position without flag") << u"object F: TForm1 position 3\nend"_qs << u"flag 2"_qs;
    }

    void textErrors()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        try {
            FormFromText(text);
            QFAIL("the text was accepted");
        } catch (const FormatError& error) {
            QVERIFY2(error.message().contains(problem), qPrintable(error.message()));
        }
    }
};

KVT_TEST(ComponentStreamTest)
#include "ComponentStreamTest.moc"
