#include "ui/PListWndItemsInfo.h"

#include "ui/PListWndItem.h"

PListWndItemsInfo::~PListWndItemsInfo() { DeleteAll(); }

void PListWndItemsInfo::DeleteAll() {
    for (Node *node = Head(); node; node = node->next)
        delete node->value;
    Clear();
}

int PListWndItemsInfo::Layout(int left, int right) {
    int top = 0;
    for (Node *node = Head(); node; node = node->next) {
        node->value->SetPosition(left, top, right);
        top += node->value->Height();
    }
    return top;
}

PListWndItem *PListWndItemsInfo::At(int position) const {
    Node *node = Head();
    for (int i = 0; node && i < position; ++i)
        node = node->next;
    return node ? node->value : nullptr;
}
