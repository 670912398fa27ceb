#!/usr/bin/python3
"""The scikit-learn side of the peer benchmark: the table read with pandas,
its text columns ordinal-encoded, a tree of 10 splits (11 leaves, at least
MIN_LEAF rows in a leaf) grown on TARGET, a regressor for a numeric target
and a classifier for a text one, as orlix-cli run --min-n MIN_LEAF grows it.

Usage: sklearn_tree.py FILE.csv TARGET MIN_LEAF
"""
import sys

import pandas as pd
from sklearn.preprocessing import OrdinalEncoder
from sklearn.tree import DecisionTreeClassifier, DecisionTreeRegressor


def main():
    path, target, min_leaf = sys.argv[1], sys.argv[2], int(sys.argv[3])
    frame = pd.read_csv(path)
    y = frame.pop(target)
    text = [c for c in frame.columns if frame[c].dtype == object]
    if text:
        frame[text] = OrdinalEncoder().fit_transform(frame[text])
    tree = DecisionTreeClassifier if y.dtype == object else DecisionTreeRegressor
    model = tree(max_leaf_nodes=11, min_samples_leaf=min_leaf).fit(frame.to_numpy(), y.to_numpy())
    print(f"{model.get_n_leaves()} leaves")


if __name__ == "__main__":
    main()
