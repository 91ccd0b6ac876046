#include "tllst.h"

Tllst::Tllst(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("llst"));
}
