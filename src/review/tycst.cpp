#include "tycst.h"

Tycst::Tycst(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("ycst"));
}
