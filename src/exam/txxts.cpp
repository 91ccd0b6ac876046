#include "txxts.h"

Txxts::Txxts(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("xxts"));
}
