#pragma once
// TLMapBase and TLMap: a chained hash map whose bucket count follows a fixed growth rule, so that the
// order in which entries are listed (bucket by bucket, in chain order) is the same on every platform.
// The traits give the hash and the equality of keys.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class TLMapBase {
public:
    size_t GetCount() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }
    uint32_t GetBucketCount() const { return bucket_count_; }

    // Whether the table must be rebuilt before an insertion that brings the count to `count_after`.
    static bool NeedsRebuild(uint32_t bucket_count, size_t count_after) {
        return bucket_count == 0 || count_after > 2 * static_cast<size_t>(bucket_count) + 2;
    }
    // Always a power of two minus one: 7 for small maps, else the smallest power of two of 16 or more
    // above `count_after`, minus one.
    static uint32_t BucketCountFor(size_t count_after);

protected:
    size_t count_ = 0;
    uint32_t bucket_count_ = 0;
};

template <typename Key, typename Value, typename Traits>
class TLMap : public TLMapBase {
public:
    struct Node {
        Node* next;
        Key key;
        Value value;
    };

    TLMap() = default;
    TLMap(const TLMap&) = delete;
    TLMap& operator=(const TLMap&) = delete;
    ~TLMap() { RemoveAll(); }

    const Value* Lookup(const Key& key) const {
        const Node* node = FindNode(key);
        return node ? &node->value : nullptr;
    }

    // Inserts the key or overwrites the value of an equal key (the stored key keeps its spelling).
    void Set(const Key& key, Value value) {
        if (Node* node = FindNode(key)) {
            node->value = std::move(value);
            return;
        }
        if (NeedsRebuild(bucket_count_, count_ + 1)) Rebuild(BucketCountFor(count_ + 1));
        Node*& head = buckets_[Traits::Hash(key) % bucket_count_];
        head = new Node{head, key, std::move(value)};
        ++count_;
    }

    bool Remove(const Key& key) {
        if (!bucket_count_) return false;
        for (Node** link = &buckets_[Traits::Hash(key) % bucket_count_]; *link; link = &(*link)->next) {
            if (Traits::Equal((*link)->key, key)) {
                Node* node = *link;
                *link = node->next;
                delete node;
                --count_;
                return true;
            }
        }
        return false;
    }

    void RemoveAll() {
        for (Node* head : buckets_) {
            while (head) {
                Node* next = head->next;
                delete head;
                head = next;
            }
        }
        buckets_.clear();
        count_ = 0;
        bucket_count_ = 0;
    }

    // Calls visit(key, value) for every entry, bucket by bucket in chain order.
    template <typename Visit>
    void ForEach(Visit&& visit) const {
        for (const Node* head : buckets_)
            for (const Node* node = head; node; node = node->next) visit(node->key, node->value);
    }

private:
    std::vector<Node*> buckets_;

    Node* FindNode(const Key& key) const {
        if (!bucket_count_) return nullptr;
        for (Node* node = buckets_[Traits::Hash(key) % bucket_count_]; node; node = node->next)
            if (Traits::Equal(node->key, key)) return node;
        return nullptr;
    }

    void Rebuild(uint32_t bucket_count) {
        std::vector<Node*> fresh(bucket_count, nullptr);
        for (Node* head : buckets_) {
            while (head) {
                Node* next = head->next;
                Node*& chain = fresh[Traits::Hash(head->key) % bucket_count];
                head->next = chain;
                chain = head;
                head = next;
            }
        }
        buckets_ = std::move(fresh);
        bucket_count_ = bucket_count;
    }
};
