#include "tksxz.h"

Tksxz::Tksxz(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("ksxz"));
}
