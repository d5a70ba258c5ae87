// PListWndItemsInfo: the rows of one column of an item list, in display
// order. Nodes come from blocks of ten allocated together and go back to a
// free list when removed, so rows can be moved and recycled while the list
// scrolls without allocating anything.
#pragma once
#include <vector>

class PListWndItem;

namespace Memory {

// A doubly linked list of values whose nodes are block-allocated and kept
// until the list is destroyed.
template <typename T>
class List {
public:
    struct Node {
        T value;
        Node *prev;
        Node *next;
    };

    List() : head_(nullptr), tail_(nullptr), count_(0), free_(nullptr) {}
    ~List() {
        for (Node *block : blocks_)
            delete[] block;
    }
    List(const List &) = delete;
    List &operator=(const List &) = delete;

    Node *Head() const { return head_; }
    Node *Tail() const { return tail_; }
    int Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    void PushBack(const T &value) { LinkBack(Take(value)); }
    void PushFront(const T &value) { LinkFront(Take(value)); }
    // Removes the node; its memory goes to the free list.
    void Remove(Node *node) {
        Unlink(node);
        node->next = free_;
        free_ = node;
    }
    void Clear() {
        while (head_)
            Remove(head_);
    }
    // Moves the last node to the front (and the reverse) without touching
    // the allocator.
    void MoveTailToHead() {
        if (count_ < 2)
            return;
        Node *node = tail_;
        Unlink(node);
        LinkFront(node);
    }
    void MoveHeadToTail() {
        if (count_ < 2)
            return;
        Node *node = head_;
        Unlink(node);
        LinkBack(node);
    }
    // How many nodes the blocks hold in all (used and free).
    int Capacity() const { return static_cast<int>(blocks_.size()) * kBlockSize; }

    static const int kBlockSize = 10;

private:
    Node *Take(const T &value) {
        if (!free_) {
            Node *block = new Node[kBlockSize];
            blocks_.push_back(block);
            for (int i = kBlockSize - 1; i >= 0; --i) {
                block[i].next = free_;
                free_ = &block[i];
            }
        }
        Node *node = free_;
        free_ = node->next;
        node->value = value;
        node->prev = node->next = nullptr;
        return node;
    }
    void LinkBack(Node *node) {
        node->prev = tail_;
        node->next = nullptr;
        if (tail_)
            tail_->next = node;
        else
            head_ = node;
        tail_ = node;
        ++count_;
    }
    void LinkFront(Node *node) {
        node->next = head_;
        node->prev = nullptr;
        if (head_)
            head_->prev = node;
        else
            tail_ = node;
        head_ = node;
        ++count_;
    }
    void Unlink(Node *node) {
        (node->prev ? node->prev->next : head_) = node->next;
        (node->next ? node->next->prev : tail_) = node->prev;
        node->prev = node->next = nullptr;
        --count_;
    }

    Node *head_;
    Node *tail_;
    int count_;
    Node *free_;                 // unused nodes of the blocks
    std::vector<Node *> blocks_; // owned, each kBlockSize nodes
};

} // namespace Memory

// The rows of one column; owns them.
class PListWndItemsInfo : public Memory::List<PListWndItem *> {
public:
    ~PListWndItemsInfo();
    // Deletes every row and empties the list.
    void DeleteAll();
    // Places the rows one below the other from the top of the list between
    // left and right; returns the total height.
    int Layout(int left, int right);
    // The row at a position (0 = head), or null.
    PListWndItem *At(int position) const;
};
