#pragma once
// A host window with one grid, its two cell editors and its caption picture,
// bound to a grid editor in the order the input window uses, with the grid's
// events forwarded as the input window forwards them.

#include "grid/FlexGrid.h"
#include "grid/FlexPicture.h"
#include "grid/clsFLX.h"
#include "platform/Services.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class GridTest : public ::testing::Test {
protected:
    vb::TestServices services{QStringLiteral("de_DE")};
    std::unique_ptr<QWidget> host;
    grid::FlexGrid* flx = nullptr;
    QLineEdit* txt = nullptr;
    QComboBox* cbo = nullptr;
    grid::FlexPicture* pic = nullptr;
    grid::clsFLX FLX;

    void SetUp() override
    {
        host = std::make_unique<QWidget>();
        host->resize(900, 500);
        flx = new grid::FlexGrid(host.get());
        flx->setGeometry(10, 10, 700, 300);
        txt = new QLineEdit(host.get());
        cbo = new QComboBox(host.get());
        cbo->setEditable(true);
        pic = new grid::FlexPicture(host.get());
        host->show();
    }

    vb::ScriptedDialogs& boxen() { return services.dialogs; }

    // Binds the controls as the input window does (grid first, picture after it).
    void binden(int spalten = 3)
    {
        flx->setCols(spalten);
        FLX.EFLX(flx);
        FLX.ETXT(txt);
        FLX.EPIC(pic);
        FLX.ECBO(cbo);
    }

    // Forwards the grid's and the editors' events to the editor.
    void verdrahten()
    {
        QObject::connect(flx, &grid::FlexGrid::DblClick, [this] { FLX.BEARBEITEN(0); });
        QObject::connect(flx, &grid::FlexGrid::KeyPress, [this](int16_t k, const QString& t) { FLX.BEARBEITEN(k, 0, t); });
        QObject::connect(flx, &grid::FlexGrid::LoeschTaste, [this] { FLX.ZELLENLEEREN(); });
        QObject::connect(flx, &grid::FlexGrid::Click, [this] { FLX.EINFUEGEN(0); });
        QObject::connect(flx, &grid::FlexGrid::MouseDown,
                         [this](int, int, float x, float) { FLX.BEARBEITEN(-2, x); });
        QObject::connect(flx, &grid::FlexGrid::MouseUp, [this](int, int, float, float) { FLX.EINFUEGEN(-2); });
        QObject::connect(txt, &QLineEdit::returnPressed, [this] { FLX.EINFUEGEN(13); });
        QObject::connect(cbo->lineEdit(), &QLineEdit::returnPressed, [this] { FLX.EINFUEGEN(13); });
    }

    // Centre of a cell in the grid's view, pixels.
    QPoint zelle(int row, int col) const
    {
        return flx->view()->visualRect(flx->model()->index(row, col)).center();
    }

    QStringList spalte(int col) const
    {
        QStringList l;
        for (int r = flx->FixedRows(); r < flx->Rows(); ++r)
            l << flx->TextMatrix(r, col);
        return l;
    }
};
