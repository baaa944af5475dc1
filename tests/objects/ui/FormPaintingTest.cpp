#include "support/TestRegistry.h"

#include "forms/DelphiColor.h"
#include "objects/ui/FormPainting.h"

#include <QBuffer>
#include <QtEndian>
#include <QtTest>

using namespace kvt;

namespace {

QByteArray sized(const QByteArray& data)
{
    QByteArray size(4, '\0');
    qToLittleEndian<qint32>(qint32(data.size()), size.data());
    return size + data;
}

QByteArray bmpFile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    image.setPixel(1, 1, qRgb(0, 128, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

class FormPaintingTest : public QObject {
    Q_OBJECT
private slots:
    void pictures_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QSize>("size");
        QTest::newRow("bitmap") << QByteArray("\x07TBitmap") + sized(bmpFile(12, 7)) << QSize(12, 7);
        QTest::newRow("metafile is an empty frame") << QByteArray("\x09TMetafile") + sized("\x01\x02\x03") << QSize();
        QTest::newRow("size past the end") << QByteArray("\x07TBitmap\xFF\xFF\x00\x00" "BM", 14) << QSize();
        QTest::newRow("class name past the end") << QByteArray("\x40TBit") << QSize();
        QTest::newRow("empty") << QByteArray() << QSize();
    }

    void pictures()
    {
        QFETCH(QByteArray, data);
        QFETCH(QSize, size);
        const QImage image = PictureFromData(data);
        QCOMPARE(image.isNull(), !size.isValid());
        if (size.isValid())
            QCOMPARE(image.size(), size);
    }

    // A glyph strip: the first glyph, its bottom-left colour transparent.
    void firstGlyph()
    {
        const QImage strip = BitmapFromData(sized(bmpFile(32, 16)));
        const QImage glyph = FirstGlyph(strip, 2);
        QCOMPARE(glyph.size(), QSize(16, 16));
        QCOMPARE(qAlpha(glyph.pixel(0, 15)), 0);
        QCOMPARE(glyph.pixel(1, 1), qRgb(0, 128, 0));
    }

    void colours_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("screen");
        QTest::newRow("red is 0x0000FF") << kColorRed << QColor(255, 0, 0);
        QTest::newRow("green") << kColorGreen << QColor(0, 128, 0);
        QTest::newRow("yellow") << kColorYellow << QColor(255, 255, 0);
        QTest::newRow("scroll bar") << kColorScrollBar << QColor(0xC8, 0xC8, 0xC8);
        QTest::newRow("window") << kColorWindow << QColor(255, 255, 255);
    }

    void colours()
    {
        QFETCH(quint32, value);
        QFETCH(QColor, screen);
        QCOMPARE(ScreenColor(value), screen);
    }

    void colourIdentifiers()
    {
        QCOMPARE(ColorFromIdent("clScrollBar"), std::optional<quint32>(0xFF000000u));
        QCOMPARE(ColorFromIdent("clbtnface"), std::optional<quint32>(0xFF00000Fu));
        QCOMPARE(ColorFromIdent("clRed"), std::optional<quint32>(255u));
        QCOMPARE(ColorFromIdent("clNoSuchColour"), std::nullopt);
        QCOMPARE(IdentFromColor(0xFFFFFF), QByteArray("clWhite"));
    }

    void treeItems()
    {
        auto node = [](const QByteArray& text, qint32 children) {
            QByteArray b(24, '\0');
            qToLittleEndian<qint32>(children, b.data() + 20);
            QByteArray name(256, '\0');
            name[0] = char(text.size());
            name.replace(1, text.size(), text);
            return b + name;
        };
        QByteArray data(4, '\0');
        qToLittleEndian<qint32>(2, data.data());
        data += node("A", 1) + node("B", 0) + node("C", 0);
        const auto items = TreeItemsFromData(data);
        QCOMPARE(items.size(), size_t(3));
        QCOMPARE(items[1].text, u"B"_qs);
        QCOMPARE(items[1].depth, 1);
        QVERIFY(TreeItemsFromData(data.left(data.size() - 1)).empty());  // cut: nothing, no error
    }
};

KVT_TEST(FormPaintingTest)
#include "FormPaintingTest.moc"
