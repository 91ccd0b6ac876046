#include "txccx.h"

Txccx::Txccx(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("xccx"));
}
