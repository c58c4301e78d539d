// The axes frame: fitting and storing the ranges, scales, scroll bars, and
// drawing axes with ticks, grid lines, numbers and titles.

#include "DrawingFixture.h"

#include "drawing/Numeric.h"

#include <cmath>

using namespace drawing;

namespace {

struct Frame {
    std::unique_ptr<RecordingTarget> target;
    std::unique_ptr<clsGRAFIK> g;
    explicit Frame(Target::Kind kind = Target::Kind::Picture)
    {
        target = mmTarget(96.0, kind);
        g = std::make_unique<clsGRAFIK>();
        g->EOBJEKT(target.get());
        g->EAXEX(0);
        g->EAXEY(0);
        target->clear();
    }
    // The X ladder of the examples.
    void ladderX()
    {
        g->ELXMIN({0, 10, 20, 30, 40, 50, 60});
        g->ELXDIFF({10, 20, 50, 100});
        g->ELXIT({10, 4, 5, 10});
        g->ELXGIT({2, 2, 5, 5});
        g->ELXZL({1, 2, 5, 10});
        g->EBOXMIN(true);
        g->EBOXMAX(true);
    }
    // One fixed range length per axis (no fitting beyond it).
    void fixedX(double len)
    {
        g->ELXMIN({0, 10000});
        g->ELXDIFF({len});
        g->ELXIT({1});
        g->ELXGIT({0});
    }
    void fixedY(double len)
    {
        g->ELYMIN({0, 10000});
        g->ELYDIFF({len});
        g->ELYIT({1});
        g->ELYGIT({0});
    }
    QStringList printed() const
    {
        QStringList out;
        for (const QString& l : target->linesOf("PRINT")) out << l.section('"', 1, 1);
        return out;
    }
};

} // namespace

TEST_F(DrawingTest, AxisLadderFitsAndStoresTheRange)
{
    struct Case {
        const char* what;
        int16_t nr;
        std::vector<float> data;
        std::optional<double> loadedMin;
        float xmin, xmax;
        int ticks;
        bool scaled;  // scales were computed and stored
    };
    const Case cases[] = {
        {"data 3.2..47", -1, {3.2f, 47}, std::nullopt, 0, 50, 5, true},
        {"max 30 snaps the length up to 50", -1, {3.2f, 27}, std::nullopt, 0, 50, 5, true},
        {"NR 1 stores the snapped maximum only", 1, {3.2f, 27}, std::nullopt, 0, 30, 5, false},
        {"above the ladder: lowered to 60, length 100", -1, {3.2f, 75}, std::nullopt, 0, 100, 10, true},
        {"loaded minimum takes part with NR 0", 0, {23, 47}, 15.0, 10, 60, 5, true},
        {"loaded minimum ignored with NR -1", -1, {23, 47}, 15.0, 20, 70, 5, true},
    };
    for (const Case& c : cases) {
        auto rec = logPage(0, 10, 0, 0.1);
        rec["OY"] = 1;
        if (c.loadedMin) rec["XMIN"] = *c.loadedMin;
        setG0(rec);
        Frame f;
        f.ladderX();
        f.g->SKALEN(c.nr, c.data, std::vector<float>{0.0f});
        const ViewState v = f.g->view();
        EXPECT_FLOAT_EQ(v.XMIN, c.xmin) << c.what;
        EXPECT_FLOAT_EQ(v.XMAX, c.xmax) << c.what;
        EXPECT_EQ(f.g->tickCountX(), c.ticks) << c.what;
        EXPECT_DOUBLE_EQ(g0("XMIN").value_or(-1), c.xmin) << c.what;
        EXPECT_DOUBLE_EQ(g0("XMAX").value_or(-1), c.xmax) << c.what;
        EXPECT_DOUBLE_EQ(g0("YMAX").value_or(-1), 10) << c.what;  // Y is not fitted: not written
        // MX was 0 in the record: a full set-up computes and stores it.
        EXPECT_EQ(g0("MX").value_or(0) != 0, c.scaled) << c.what;
        EXPECT_EQ(m_box->count(), 0) << c.what << ": " << (m_box->count() ? m_box->last().text : QString());
    }
}

TEST_F(DrawingTest, AxisLadderTickPositionsAndCounts)
{
    // Data 3.2..47 fits 0..50 with 5 intervals: ticks at every 10, grid and
    // numbers at every tick.
    float lo = 0, hi = 0;
    const AxisFit fit = ACHSBEREICH(-1, true, true, 0, {3.2f, 47}, lo, hi, {0, 10, 20, 30, 40, 50, 60},
                                    {10, 20, 50, 100}, {10, 4, 5, 10}, {2, 2, 5, 5}, {1, 2, 5, 10});
    EXPECT_EQ(fit.ticks, (std::vector<float>{0, 10, 20, 30, 40, 50}));
    EXPECT_EQ(fit.gridCount, 5);
    EXPECT_EQ(fit.labelCount, 5);

    // Logarithmic axis 2..300.
    struct LogCase {
        double code;
        int count;
        std::vector<float> head, tail;
    };
    const LogCase logs[] = {
        {1, 3, {0.30103f, 1}, {2, 2.47712f}},
        {10, 20, {0.30103f, 0.47712f}, {2, 2.30103f, 2.47712f}},
        {0, 0, {0.30103f}, {0.30103f}},
    };
    for (const LogCase& c : logs) {
        float mn = 2, mx = 300;
        const AxisFit f = ACHSBEREICH(-1, false, false, 1, {0}, mn, mx, {1, 2, 300, 1000}, {1000}, {c.code}, {1},
                                      {1});
        EXPECT_EQ(f.tickCount, c.count) << c.code;
        ASSERT_EQ(int(f.ticks.size()), c.count + 1) << c.code;
        for (size_t i = 0; i < c.head.size(); ++i) EXPECT_NEAR(f.ticks[i], c.head[i], 1e-5) << c.code;
        for (size_t i = 0; i < c.tail.size(); ++i)
            EXPECT_NEAR(f.ticks[f.ticks.size() - c.tail.size() + i], c.tail[i], 1e-5) << c.code;
    }
    // Tick code 10 with grid count 1: the grid runs through the decades.
    float mn = 2, mx = 300;
    const AxisFit g = ACHSBEREICH(-1, false, false, 1, {0}, mn, mx, {1, 2, 300, 1000}, {1000}, {10}, {1}, {1});
    EXPECT_EQ(g.gridPositions, 3);
    const std::vector<float> decades{0.30103f, 1, 2, 2.47712f};
    ASSERT_EQ(g.grid.size(), decades.size());
    for (size_t i = 0; i < decades.size(); ++i) EXPECT_NEAR(g.grid[i], decades[i], 1e-5);
    // A linear axis with a tick count of 0 cannot be divided.
    float a = 0, b = 10;
    EXPECT_THROW(ACHSBEREICH(0, false, false, 0, {0}, a, b, {0, 10}, {10}, {0}, {0}, {0}), vb::VbError);
}

TEST_F(DrawingTest, NumbersAndGridFollowTheirCounts)
{
    struct Case {
        double labels;
        QStringList numbers;
    };
    const Case cases[] = {
        {4, {"0", "20", "40", "60", "80", "100"}},
        {3, {"0", "30", "60", "90"}},
        {0, {}},
    };
    for (const Case& c : cases) {
        setG0({{"OX", 1}, {"OY", 1}, {"RL", 5}, {"RR", 7}, {"RO", 5}, {"RU", 5}, {"XMIN", 0}, {"XMAX", 100},
               {"YMIN", 0}, {"YMAX", 10}, {"MX", 1}, {"MY", 0.1}});
        Frame f;
        f.g->ELXMIN({0, 100});
        f.g->ELXDIFF({100});
        f.g->ELXIT({10});
        f.g->ELXGIT({2});
        f.g->ELXZL({c.labels});
        f.fixedY(10);
        f.g->EAXEX(1);
        f.g->SKALEN(0);
        QStringList numbers = f.printed();
        EXPECT_EQ(numbers, c.numbers) << c.labels;
        // Axis line, 11 ticks, grid lines at ticks 0, 5 and 10.
        EXPECT_EQ(f.target->linesOf("LINE").size(), 1 + 11 + 3) << c.labels;
    }
}

TEST_F(DrawingTest, AxesAreDrawnOutsideTheRangeWithTitles)
{
    setG0({{"OX", 1}, {"OY", 1}, {"RL", 20}, {"RR", 7}, {"RO", 5}, {"RU", 20}, {"XMIN", 0}, {"XMAX", 100},
           {"YMIN", 0}, {"YMAX", 50}, {"MX", 0}, {"MY", 0}});
    Frame f;
    f.g->ELXMIN({0, 100});
    f.g->ELXDIFF({100});
    f.g->ELXIT({5});
    f.g->ELXGIT({5});
    f.g->ELYMIN({0, 50});
    f.g->ELYDIFF({50});
    f.g->ELYIT({5});
    f.g->ELYGIT({5});
    f.g->EAXEX(1);
    f.g->EAXEY(1);
    f.g->ETEXTX("Abstand [m]");
    f.g->ETEXTY("{g,1}s [kN/m{c,178}]");
    f.g->SKALEN(0);
    EXPECT_EQ(m_box->count(), 0);
    // MX and MY were 0: both computed from the plot area and stored.
    EXPECT_NEAR(g0("MX").value_or(0), 100.0 / 213.0, 1e-6);
    EXPECT_NEAR(g0("MY").value_or(0), 50.0 / 107.0, 1e-6);

    // X numbers 2 mm below the axis (the plot area's bottom at 112 mm), the
    // title 6 mm below it; Y numbers and title turned by 90 degrees.
    const QStringList prints = f.target->linesOf("PRINT");
    ASSERT_FALSE(prints.isEmpty());
    int xNumbers = 0;
    for (const QString& l : prints) {
        const float y = l.split(' ')[2].toFloat();
        if (l.contains("\"Abstand [m]\"")) {
            EXPECT_NEAR(y, 112 + 6, 1e-3);
        } else {
            EXPECT_NEAR(y, 112 + 2, 1e-3) << l;
            ++xNumbers;
        }
    }
    EXPECT_EQ(xNumbers, 6);
    const QStringList turned = f.target->linesOf("TEXTOUT");
    EXPECT_GE(turned.size(), 6 + 3);  // six numbers, title in three pieces
    for (const QString& l : turned) EXPECT_TRUE(l.contains("esc=900")) << l;
    EXPECT_TRUE(turned.join("|").contains("face=Symbol"));
}

TEST_F(DrawingTest, ScaleRulesAndEqualScales)
{
    // Both scales stored: used as they are. Either one 0: the missing one is
    // computed and both are stored.
    struct Case {
        double mx, my;
        float outMX, outMY;
    };
    const Case scales[] = {{2, 0.5, 2, 0.5f}, {2, 0, 2, 0.1f}, {0, 0.5, 1, 0.5f}, {0, 0, 1, 0.1f}};
    for (const Case& c : scales) {
        setG0(logPage(228, 12.2, c.mx, c.my));
        Frame f;
        f.fixedX(228);
        f.fixedY(12.2);
        f.g->SKALEN(-1);
        EXPECT_FLOAT_EQ(f.g->view().MX, c.outMX);
        EXPECT_NEAR(f.g->view().MY, c.outMY, 1e-6);
        EXPECT_NEAR(g0("MX").value_or(0), c.outMX, 1e-6);
        EXPECT_NEAR(g0("MY").value_or(0), c.outMY, 1e-6);
    }
    // Equal scales: Y follows X, YMAX 50 before the Y length ladder snaps it.
    for (auto [ladder, ymax] : {std::pair{NumberList{10, 50, 100}, 50.0f}, std::pair{NumberList{10, 60, 100}, 60.0f}}) {
        setG0({{"OX", 1}, {"OY", 1}, {"RL", 5}, {"RR", 7}, {"RO", 5}, {"RU", 5}, {"XMIN", 0}, {"XMAX", 100}});
        Frame f;
        f.g->ELX(112);
        f.g->ELY(60);
        f.g->ELXMIN({0, 100});
        f.g->ELXDIFF({100});
        f.g->ELXIT({10});
        f.g->ELXGIT({0});
        f.g->ELYMIN({0, 100});
        f.g->ELYDIFF(ladder);
        f.g->ELYIT({1, 1, 1});
        f.g->ELYGIT({0, 0, 0});
        f.g->EXYIT(1);
        f.g->SKALEN(0);
        EXPECT_FLOAT_EQ(f.g->view().YMAX, ymax);
    }
    // An omitted X list with both fit flags fits the X range to the value 0.
    setG0(logPage(228, 12.2, 1, 0.1));
    Frame f;
    f.ladderX();
    f.g->SKALEN(-1, std::nullopt, std::vector<float>{1});
    EXPECT_FLOAT_EQ(f.g->view().XMIN, 0);
    EXPECT_FLOAT_EQ(f.g->view().XMAX, 10);
}

TEST_F(DrawingTest, ScrollBarsTakeTheRangeThatDoesNotFit)
{
    // ELX 240, RL 5, RR 7: 230.4 mm available.
    struct Case {
        Target::Kind kind;
        double need;
        int value;
        bool visible;
        int large, small;
        float shift;
    };
    const Case cases[] = {
        {Target::Kind::Picture, 460.8, 5000, true, 5000, 100, -115.2f},
        {Target::Kind::Picture, 460.8, 10000, true, 5000, 100, -230.4f},
        {Target::Kind::Picture, 460.8, 0, true, 5000, 100, 0},
        {Target::Kind::Picture, 230, 7000, false, 1, 1, 0},
        {Target::Kind::Printer, 460.8, 5000, true, 1, 1, -116.4f},  // printer: bar untouched
    };
    for (const Case& c : cases) {
        setG0({{"OX", 1}, {"OY", -1}, {"RL", 5}, {"RR", 7}, {"RO", 5}, {"RU", 5}, {"XMIN", 0}, {"XMAX", c.need},
               {"YMIN", 0}, {"YMAX", 12}, {"MX", 1}, {"MY", 0.1}});
        Frame f(c.kind);
        f.fixedX(c.need);
        f.fixedY(12);
        ScrollBarState bar;
        bar.Max(10000);
        bar.Value(c.value);
        f.g->EXBALKEN(&bar);
        f.g->EAXEX(1);
        f.g->SKALEN(-1);
        EXPECT_EQ(bar.Visible(), c.visible) << c.need << " " << c.value;
        EXPECT_EQ(bar.LargeChange(), c.large);
        EXPECT_EQ(bar.SmallChange(), c.small);
        EXPECT_NEAR(f.g->view().SX, c.shift, 1e-3) << c.need << " " << c.value;
        if (c.kind == Target::Kind::Picture && c.visible) {
            // Along the bottom edge of the target (132.03 mm: whole pixels).
            EXPECT_NEAR(bar.Top(), f.target->ScaleHeight() - 5, 1e-4);
            EXPECT_NEAR(bar.Top(), 127, 0.05);
            EXPECT_FLOAT_EQ(bar.Left(), 0);
            EXPECT_NEAR(bar.Width(), 235, 0.05);
            EXPECT_FLOAT_EQ(bar.Height(), 5);
            EXPECT_EQ(bar.Min(), 0);
            EXPECT_EQ(bar.Max(), 10000);
        }
        if (!c.visible) {
            EXPECT_EQ(bar.Value(), 0);
        }
        // While a bar shows, no axis is drawn; a picture that fits gets its axis.
        EXPECT_EQ(f.target->linesOf("LINE").isEmpty(), c.visible) << c.need;
    }
    // The vertical bar lies along the right edge.
    setG0(logPage(228, 40, 1, 0.1));
    Frame f;
    f.fixedX(228);
    f.fixedY(40);
    ScrollBarState bar;
    f.g->EYBALKEN(&bar);
    f.g->SKALEN(-1);
    EXPECT_TRUE(bar.Visible());
    EXPECT_NEAR(bar.Left(), 235, 0.05);
    EXPECT_FLOAT_EQ(bar.Top(), 0);
    EXPECT_FLOAT_EQ(bar.Width(), 5);
    EXPECT_NEAR(bar.Height(), 127, 0.05);
    EXPECT_EQ(bar.LargeChange(), roundEven((1 - (400 - (1.01 * 132 - 10)) / 400.0) * 10000));
}

TEST_F(DrawingTest, LogarithmicLabelsDropOnlyATrailingDecimalSign)
{
    struct Case {
        const char* locale;
        const char* pattern;
        QStringList labels;
    };
    const Case cases[] = {
        {"de_DE", "0.#", {"2", "10", "100", "300"}},
        {"en_US", "0.#", {"2", "10", "100", "300"}},
        {"en_US", "0.0", {"2.0", "10.0", "100.0", "300.0"}},
        {"de_DE", "0.0", {"2,0", "10,0", "100,0", "300,0"}},
    };
    for (const Case& c : cases) {
        vb::ScopedLocale locale{QString::fromLatin1(c.locale)};
        setG0({{"OX", 1}, {"OY", 1}, {"RL", 5}, {"RR", 7}, {"RO", 5}, {"RU", 5}, {"XMIN", 2}, {"XMAX", 300},
               {"YMIN", 0}, {"YMAX", 10}, {"MX", 0}, {"MY", 0}});
        Frame f;
        f.g->ESKTX(1);
        f.g->ELXMIN({1, 2, 300, 1000});
        f.g->ELXDIFF({1000});
        f.g->ELXIT({1});
        f.g->ELXGIT({1});
        f.g->ESKZX(c.pattern);
        f.g->EAXEX(1);
        f.g->SKALEN(0);
        EXPECT_EQ(f.printed().mid(0, 4), c.labels) << c.locale << " " << c.pattern;
        EXPECT_NEAR(f.g->view().XMIN, 0.30103f, 1e-5);  // the view state is in decades
    }
}

TEST_F(DrawingTest, LogPageSetUpStoresAndDrawsNothing)
{
    // The page composer's call: both axis switches 0, fit to the data, store.
    setG0(logPage(0, 0, 1, 0.1));
    Frame f;
    f.g->ELXMIN({0, 228});
    f.g->ELXDIFF({228});
    f.g->ELYMIN({0, 5, 10, 15, 20});
    f.g->ELYDIFF({5, 10, 15, 20});
    f.g->ELYIT({5, 10, 15, 20});
    f.g->ELYGIT({0, 0, 0, 0});
    f.g->EBOXMAX(true);
    f.g->EBOYMAX(true);
    f.g->SKALEN(-1, std::vector<float>{0, 228}, std::vector<float>{0, 7.3f});
    EXPECT_TRUE(f.target->lines().isEmpty());
    EXPECT_FLOAT_EQ(f.g->view().YMAX, 10);
    EXPECT_DOUBLE_EQ(g0("YMAX").value_or(0), 10);
    EXPECT_DOUBLE_EQ(g0("XMAX").value_or(0), 228);
    float xp = 0, yp = 0;
    f.g->KOORDTRANS(114, 2, xp, yp);
    EXPECT_NEAR(xp, 5 + 114, 1e-4);
    EXPECT_NEAR(yp, 5 + 20, 1e-4);
}

TEST_F(DrawingTest, EmptyDataListIsRefused)
{
    setG0(logPage(228, 12, 1, 0.1));
    Frame f;
    f.g->SKALEN(-1, std::vector<float>{});
    ASSERT_EQ(m_box->count(), 1);
    EXPECT_EQ(m_box->last().text, QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für X übergeben!"));
    EXPECT_EQ(m_box->last().title, "Skalen");
    EXPECT_EQ(m_box->last().icon, vb::MsgIcon::Exclamation);
}
