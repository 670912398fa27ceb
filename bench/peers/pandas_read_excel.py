#!/usr/bin/python3
"""The pandas side of the workbook benchmark: the first sheet of FILE.xlsx
read with pandas.read_excel (openpyxl), as an analyst would load it.

Usage: pandas_read_excel.py FILE.xlsx
"""
import sys

import pandas as pd


def main():
    frame = pd.read_excel(sys.argv[1], engine="openpyxl")
    print(f"{frame.shape[0]} rows x {frame.shape[1]} columns")


if __name__ == "__main__":
    main()
