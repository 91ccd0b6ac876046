#include "tmain.h"

Tmain::Tmain(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("main"));
}
