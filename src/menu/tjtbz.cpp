#include "tjtbz.h"

Tjtbz::Tjtbz(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("jtbz"));
}
