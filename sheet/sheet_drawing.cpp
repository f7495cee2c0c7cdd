#include "sheet/sheet_drawing.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <set>

#include "core/paragraph.h"
#include "core/utf8.h"
#include "deduce/explanation_text.h"
#include "sheet/q_text.h"
#include "sheet/sheet_phrases.h"

namespace zifrel {

namespace {

// The drawing's unit is a tenth of a millimetre on an A4 portrait page;
// sizes of type are given in points.
constexpr double kPageWidth = 2100;
constexpr double kPageHeight = 2970;
constexpr double kUnitsPerPoint = 254.0 / 72.0;

// The page: the title line and its rule, the body, the page number.
constexpr double kLeft = 180;
constexpr double kRight = kPageWidth - kLeft;
constexpr double kTitleBaseline = 215;
constexpr double kTitleRule = 250;
constexpr double kBodyTop = 330;
constexpr double kFooterBaseline = 2850;

const QColor kInk(0, 0, 0);
const QColor kSoftInk(85, 85, 85);      // the level, the page number, the letters over the digit boxes
const QColor kFaintInk(150, 150, 150);  // the boxes where a solver writes the digits

// A Schema's grid: boxes in three rows and three columns, the operators and
// "=" in the gaps between them.
struct GridStyle {
  double boxWidth;
  double boxHeight;
  double gapX;
  double gapY;
  double textPoints;
  bool boldText;
  double glyphPoints;
  double lineWidth;

  double Width() const { return 3 * boxWidth + 2 * gapX; }
  double Height() const { return 3 * boxHeight + 2 * gapY; }
};

// Four letters of Liberation Sans Bold at 16 points fit a box 2 cm wide,
// readable at arm's length.
constexpr GridStyle kSchemaGrid = {200, 120, 90, 80, 16, true, 17, 3.5};
constexpr GridStyle kKeyGrid = {95, 58, 38, 40, 9, false, 9, 2};

// The Schema pages: two columns of three Schemas, each a header, the grid
// and a strip of its letters with a box under each for its digit.
constexpr double kSchemaColumnWidth = (kRight - kLeft) / 2;
constexpr double kSchemaRowHeight = 820;
constexpr double kSchemaHeaderBaseline = 45;
constexpr double kSchemaGridTop = 85;
constexpr double kStripGap = 45;
constexpr double kStripLetterHeight = 40;
constexpr double kStripBoxWidth = 78;
constexpr double kStripBoxHeight = 62;

// The answer pages: a heading, then three columns of six keys, each the
// numbers in the grid and the letters' digits in two columns beside it.
constexpr double kAnswersBaseline = 410;
constexpr double kKeysTop = 480;
constexpr double kKeyColumnWidth = (kRight - kLeft) / 3;
constexpr double kKeyRowHeight = 385;
constexpr double kKeyHeaderBaseline = 35;
constexpr double kKeyGridTop = 65;
constexpr double kKeyEntriesLeft = 400;
constexpr double kKeyEntriesColumn = 80;
constexpr double kKeyEntriesLine = 49;
constexpr int kKeyEntriesPerColumn = 5;

constexpr double kTitlePoints = 17;
constexpr double kNotePoints = 11;
constexpr double kSchemaHeaderPoints = 12;
constexpr double kLevelPoints = 10;
constexpr double kStripPoints = 9;
constexpr double kAnswersPoints = 14;
constexpr double kKeyHeaderPoints = 9.5;
constexpr double kKeyEntryPoints = 8.5;
constexpr double kFooterPoints = 9;

// On paper the hyphen is too short to read as a minus, so the sheet draws
// the minus sign itself.
QString PaperGlyph(OpCode op) { return op == kMinus ? QStringLiteral("\u2212") : Q(OperatorGlyph(op)); }

QRectF StripBox(QPointF corner, int i) {
  return QRectF(corner.x() + i * kStripBoxWidth, corner.y() + kStripLetterHeight, kStripBoxWidth, kStripBoxHeight);
}

int PagesFor(std::size_t items, int perPage) { return static_cast<int>((items + perPage - 1) / perPage); }

std::vector<int> SolvedSchemas(const SheetDocument& document) {
  std::vector<int> solved;
  for (std::size_t i = 0; i < document.schemas.size(); ++i) {
    if (document.schemas[i].solution) solved.push_back(static_cast<int>(i));
  }
  return solved;
}

// The distinct characters of a Schema's cells, in the order of their codes.
std::vector<QString> Symbols(const SheetSchema& schema) {
  std::set<char32_t> symbols;
  for (const std::string& cell : schema.cells) {
    for (const char32_t c : DecodeUtf8(cell)) symbols.insert(c);
  }
  std::vector<QString> texts;
  for (const char32_t c : symbols) texts.push_back(QString::fromUcs4(&c, 1));
  return texts;
}

// What a Schema is drawn with, on the sheet and in a play window alike: the
// grid, the strip of letters and the text helpers, in the sheet's unit.
class SchemaPainter {
 public:
  explicit SchemaPainter(QPainter& painter) : p_(painter) {}

  // c1 o1 c2 = c3 on each row; o4 o5 o6 under the first row, "=" under the
  // second.
  void DrawGrid(QPointF corner, const std::array<QString, kCellCount>& texts, const OpCodes& ops,
                const GridStyle& style) {
    const QFont textFont = SheetFont(style.textPoints, style.boldText);
    const QFont glyphFont = SheetFont(style.glyphPoints, false);
    const auto column = [&](int j) { return corner.x() + j * (style.boxWidth + style.gapX); };
    const auto row = [&](int i) { return corner.y() + i * (style.boxHeight + style.gapY); };
    const QString equals = QStringLiteral("=");
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        const QRectF box(column(j), row(i), style.boxWidth, style.boxHeight);
        Box(box, style.lineWidth, kInk);
        TextInBox(box, texts[3 * i + j], textFont);
      }
      const double middle = row(i) + style.boxHeight / 2;
      GlyphCentred(QPointF(column(0) + style.boxWidth + style.gapX / 2, middle), PaperGlyph(ops[i]), glyphFont);
      GlyphCentred(QPointF(column(1) + style.boxWidth + style.gapX / 2, middle), equals, glyphFont);
    }
    for (int j = 0; j < 3; ++j) {
      const double centre = column(j) + style.boxWidth / 2;
      GlyphCentred(QPointF(centre, row(0) + style.boxHeight + style.gapY / 2), PaperGlyph(ops[3 + j]), glyphFont);
      GlyphCentred(QPointF(centre, row(1) + style.boxHeight + style.gapY / 2), equals, glyphFont);
    }
  }

  // The letters, each over a box where a solver writes its digit.
  void DrawStrip(QPointF corner, const std::vector<QString>& letters) {
    const QFont letterFont = SheetFont(kStripPoints, false);
    for (std::size_t i = 0; i < letters.size(); ++i) {
      const QRectF box = StripBox(corner, static_cast<int>(i));
      TextCentred(QRectF(box.left(), corner.y(), box.width(), kStripLetterHeight), letters[i], letterFont, kSoftInk);
      Box(box, 2, kFaintInk);
    }
  }

 protected:
  double Advance(const QString& text, const QFont& font) const {
    return QFontMetricsF(font, p_.device()).horizontalAdvance(text);
  }

  void Text(QPointF baseline, const QString& text, const QFont& font, const QColor& colour) {
    p_.setFont(font);
    p_.setPen(colour);
    p_.drawText(baseline, text);
  }

  void TextRightAligned(QPointF baseline, const QString& text, const QFont& font, const QColor& colour) {
    Text(baseline - QPointF(Advance(text, font), 0), text, font, colour);
  }

  // Centred on the height of the capitals, where letters and digits sit.
  void TextCentred(const QRectF& box, const QString& text, const QFont& font, const QColor& colour) {
    const QFontMetricsF metrics(font, p_.device());
    Text(QPointF(box.center().x() - metrics.horizontalAdvance(text) / 2, box.center().y() + metrics.capHeight() / 2),
         text, font, colour);
  }

  // A cell's text, made smaller when it would not fit its box (only a typed
  // Schema of wide characters needs it).
  void TextInBox(const QRectF& box, const QString& text, QFont font) {
    const double room = box.width() * 0.88;
    const double width = Advance(text, font);
    if (width > room) font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * room / width)));
    TextCentred(box, text, font, kInk);
  }

  // An operator or "=". The font sets these on the middle of its capitals,
  // so they line up with the cells' letters.
  void GlyphCentred(QPointF centre, const QString& glyph, const QFont& font) {
    TextCentred(QRectF(centre, centre), glyph, font, kInk);
  }

  void Line(QPointF from, QPointF to, double width, const QColor& colour) {
    p_.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p_.drawLine(from, to);
  }

  void Box(const QRectF& box, double width, const QColor& colour) {
    p_.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(box);
  }

  QPainter& p_;
};

class SheetPainter : public SchemaPainter {
 public:
  SheetPainter(QPainter& painter, const SheetDocument& document)
      : SchemaPainter(painter), document_(document), pageCount_(SheetPageCount(document)) {}

  void DrawSchemaPage(int page, std::size_t first) {
    DrawFurniture(page);
    const std::size_t end = std::min(document_.schemas.size(), first + kSchemasPerPage);
    for (std::size_t i = first; i < end; ++i) {
      const int slot = static_cast<int>(i - first);
      DrawSchema(QPointF(kLeft + (slot % 2) * kSchemaColumnWidth, kBodyTop + (slot / 2) * kSchemaRowHeight),
                 static_cast<int>(i));
    }
  }

  void DrawKeyPage(int page, const std::vector<int>& schemas) {
    DrawFurniture(page);
    Text(QPointF(kLeft, kAnswersBaseline), Q(sheet_phrase::kAnswers), SheetFont(kAnswersPoints, true), kInk);
    for (std::size_t slot = 0; slot < schemas.size(); ++slot) {
      DrawKey(QPointF(kLeft + (slot % 3) * kKeyColumnWidth, kKeysTop + (slot / 3) * kKeyRowHeight), schemas[slot]);
    }
  }

 private:
  void DrawFurniture(int page) {
    const QFont title = SheetFont(kTitlePoints, true);
    Text(QPointF(kLeft, kTitleBaseline), Q(sheet_phrase::kTitle), title, kInk);
    TextRightAligned(QPointF(kRight, kTitleBaseline), Q(document_.note), SheetFont(kNotePoints, false), kSoftInk);
    Line(QPointF(kLeft, kTitleRule), QPointF(kRight, kTitleRule), 5, kInk);
    const QString footer = Q(Fill(sheet_phrase::kPage, {std::to_string(page), std::to_string(pageCount_)}));
    const QFont font = SheetFont(kFooterPoints, false);
    Text(QPointF(kPageWidth / 2 - Advance(footer, font) / 2, kFooterBaseline), footer, font, kSoftInk);
  }

  // The Schema's number and level over its grid, its letters under it.
  void DrawSchema(QPointF corner, int index) {
    const SheetSchema& schema = document_.schemas[index];
    const double left = corner.x() + (kSchemaColumnWidth - kSchemaGrid.Width()) / 2;
    const double right = left + kSchemaGrid.Width();
    const double headerBaseline = corner.y() + kSchemaHeaderBaseline;
    Text(QPointF(left, headerBaseline), SchemaName(index), SheetFont(kSchemaHeaderPoints, true), kInk);
    if (schema.level > 0) {
      TextRightAligned(QPointF(right, headerBaseline), Q(LevelLine(schema.level)), SheetFont(kLevelPoints, false),
                       kSoftInk);
    }
    std::array<QString, kCellCount> texts;
    for (int k = 0; k < kCellCount; ++k) texts[k] = Q(schema.cells[k]);
    const double gridTop = corner.y() + kSchemaGridTop;
    DrawGrid(QPointF(left, gridTop), texts, schema.ops, kSchemaGrid);

    DrawStrip(QPointF(left, gridTop + kSchemaGrid.Height() + kStripGap), Symbols(schema));
  }

  // The answer key: the numbers in the grid's layout and, beside them, the
  // letters' digits in columns of five.
  void DrawKey(QPointF corner, int index) {
    const SheetSchema& schema = document_.schemas[index];
    Text(corner + QPointF(0, kKeyHeaderBaseline), SchemaName(index), SheetFont(kKeyHeaderPoints, true), kInk);
    std::array<QString, kCellCount> numbers;
    for (int k = 0; k < kCellCount; ++k) numbers[k] = QString::number((*schema.solution)[k]);
    DrawGrid(corner + QPointF(0, kKeyGridTop), numbers, schema.ops, kKeyGrid);

    const QFont font = SheetFont(kKeyEntryPoints, false);
    const QFontMetricsF metrics(font, p_.device());
    const std::vector<std::pair<std::string, int>> key = LetterKey(schema);
    for (std::size_t i = 0; i < key.size(); ++i) {
      const QPointF at(corner.x() + kKeyEntriesLeft + (i / kKeyEntriesPerColumn) * kKeyEntriesColumn,
                       corner.y() + kKeyGridTop + metrics.capHeight() + (i % kKeyEntriesPerColumn) * kKeyEntriesLine);
      const std::string entry = Fill(sheet_phrase::kKeyEntry, {key[i].first, std::to_string(key[i].second)});
      Text(at, Q(entry), font, kInk);
    }
  }

  QString SchemaName(int index) const { return Q(Fill(sheet_phrase::kSchema, {std::to_string(index + 1)})); }

  const SheetDocument& document_;
  int pageCount_;
};

}  // namespace

QFont SheetFont(double points, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(std::max(1, qRound(points * kUnitsPerPoint)));
  font.setBold(bold);
  // The same outlines and advances at every resolution, so a printer and a
  // PDF lay out alike.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QSizeF SchemaGridSize() { return QSizeF(kSchemaGrid.Width(), kSchemaGrid.Height()); }

QRectF SchemaGridCell(QPointF corner, int cell) {
  return QRectF(corner.x() + cell % 3 * (kSchemaGrid.boxWidth + kSchemaGrid.gapX),
                corner.y() + cell / 3 * (kSchemaGrid.boxHeight + kSchemaGrid.gapY), kSchemaGrid.boxWidth,
                kSchemaGrid.boxHeight);
}

void DrawSchemaGrid(QPainter& painter, QPointF corner, const SheetSchema& schema) {
  std::array<QString, kCellCount> texts;
  for (int k = 0; k < kCellCount; ++k) texts[k] = Q(schema.cells[k]);
  SchemaPainter(painter).DrawGrid(corner, texts, schema.ops, kSchemaGrid);
}

double KeyStripGap() { return kStripGap; }
double KeyStripHeight() { return kStripLetterHeight + kStripBoxHeight; }
QRectF KeyStripBox(QPointF corner, int i) { return StripBox(corner, i); }

void DrawKeyStrip(QPainter& painter, QPointF corner, const std::vector<QString>& letters) {
  SchemaPainter(painter).DrawStrip(corner, letters);
}

int SheetPageCount(const SheetDocument& document) {
  return PagesFor(document.schemas.size(), kSchemasPerPage) + PagesFor(SolvedSchemas(document).size(), kKeysPerPage);
}

bool DrawSheet(const SheetDocument& document, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = std::min(device.width() / kPageWidth, device.height() / kPageHeight);
  const QSize drawn(qRound(kPageWidth * scale), qRound(kPageHeight * scale));
  painter.setViewport(
      QRect(QPoint((device.width() - drawn.width()) / 2, (device.height() - drawn.height()) / 2), drawn));
  painter.setWindow(0, 0, static_cast<int>(kPageWidth), static_cast<int>(kPageHeight));

  SheetPainter sheet(painter, document);
  int page = 1;
  for (std::size_t first = 0; first < document.schemas.size(); first += kSchemasPerPage) {
    if (page > 1) device.newPage();
    sheet.DrawSchemaPage(page++, first);
  }
  const std::vector<int> solved = SolvedSchemas(document);
  for (std::size_t first = 0; first < solved.size(); first += kKeysPerPage) {
    if (page > 1) device.newPage();
    const auto end = solved.begin() + static_cast<std::ptrdiff_t>(std::min(solved.size(), first + kKeysPerPage));
    sheet.DrawKeyPage(page++, std::vector<int>(solved.begin() + static_cast<std::ptrdiff_t>(first), end));
  }
  return painter.end();
}

}  // namespace zifrel
